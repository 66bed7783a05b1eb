#ifndef VELDRA_TESTS_SCREENSHOT_H
#define VELDRA_TESTS_SCREENSHOT_H

#include <QString>

class QWidget;

// Saves a picture of widget as <build>/screenshots/<name>.png for a person to look at;
// returns whether the file was written.
bool saveScreenshot(QWidget *widget, const QString &name);

#endif // VELDRA_TESTS_SCREENSHOT_H
