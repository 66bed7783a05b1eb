#include "screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool saveScreenshot(QWidget *widget, const QString &name)
{
    const QDir directory(VELDRA_VIEWER_SCREENSHOT_DIR);
    if (!directory.mkpath("."))
        return false;
    return widget->grab().save(directory.filePath(name + ".png"), "PNG");
}
