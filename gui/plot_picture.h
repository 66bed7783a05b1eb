#ifndef VELDRA_PLOT_PICTURE_H
#define VELDRA_PLOT_PICTURE_H

#include <QSize>
#include <QString>

class QCustomPlot;
class QWidget;

// Writes a picture of plot, drawn at size (pixels), to path: PNG, PDF or SVG after the name's
// ending (".png", ".pdf", ".svg", any case). The file appears whole or not at all.
// Returns an empty text on success, else what went wrong, for the user.
QString savePlotPicture(QCustomPlot *plot, const QString &path, const QSize &size);

// Asks where to save a picture of plot and at what size (the plot's own to start with), saves
// it and reports a failure in a message box; parent owns the dialogs. Cancelling either
// question saves nothing.
void savePlotPictureAs(QCustomPlot *plot, QWidget *parent);

// Puts a picture of plot at its size on the clipboard.
void copyPlotPicture(QCustomPlot *plot);

#endif // VELDRA_PLOT_PICTURE_H
