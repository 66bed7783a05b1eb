#ifndef VELDRA_LAYER_MAP_H
#define VELDRA_LAYER_MAP_H

#include <memory>
#include <vector>

#include <QMetaObject>
#include <QString>

#include "cell_color_map.h"

class QCustomPlot;
class QCPColorGradient;
class QCPColorScale;
class QLabel;
class QLineEdit;
class QPoint;
class QSpinBox;

// One per-cell array of the main window with the grid it lives on. Every array holds
// nx * ny * nz doubles in the deck's order, i fastest, layer k slowest. The arrays are the
// main window's own (not copies) and must stay valid while a view shows them.
struct LayerMapSource
{
    int nx = 0;                     // cells per row
    int ny = 0;                     // rows per layer
    int nz = 0;                     // layers
    const double *cellX = nullptr;  // low-corner x of each cell (ft)
    const double *cellY = nullptr;  // low-corner y of each cell (ft)
    const double *sizeX = nullptr;  // each cell's size along x (ft)
    const double *sizeY = nullptr;  // each cell's size along y (ft)
    const double *values = nullptr; // the values shown
};

// The plot objects of one layer map. The colour map and scale belong to the plot; the
// gradient, whose level count the viewer changes, belongs to whoever holds this.
struct LayerMap
{
    CellColorMap *colorMap = nullptr;
    QCPColorScale *colorScale = nullptr;
    std::unique_ptr<QCPColorGradient> gradient;
};

// The rectangles of the nx * ny cells of one layer, from their low corners xs, ys and their
// sizes dxs, dys (ft, each nx * ny long, cell (i, j) at j * nx + i).
std::vector<CellRect> layerCells(int nx, int ny, const double *xs, const double *ys, const double *dxs,
                                 const double *dys);

// Draws one grid layer on plot as a colour map with a horizontal jet colour scale under it.
//   plot      in/out: the plot that receives map, scale and axis labels
//   nx, ny    cells per row and rows of the layer (either may be 0: nothing to draw)
//   cells     the layer's nx * ny cell rectangles (see layerCells)
//   values    nx * ny values, value (i, j) at j * nx + i
//   label     text under the colour scale
//   logScale  colour by log10 of the values rather than linearly
// Returns the new map, scale and a 20-level gradient; the colour range is the layer's own
// (see layerDataRange) and the axes span the layer.
LayerMap buildLayerMap(QCustomPlot *plot, int nx, int ny, std::vector<CellRect> cells, const double *values,
                       const QString &label, bool logScale);

// The colour range of count values: from the smallest to the largest, leaving out NaN and the
// solver's infinite value (a cell the front never reached) and, for logarithmic colouring,
// values of 0 and below. A single value v gets v / 2 ... 3 v / 2 (or -1 ... 1 for 0), no value
// at all 0 ... 1 (1 ... 10 logarithmic).
QCPRange layerDataRange(const double *values, int count, bool logarithmic);

// Sets up the layer chooser for nz layers: a range of 1 ... nz, read-only with one layer.
void setUpLayerSpin(QSpinBox *layerSpin, int nz);

// The controls of a layer map dialog that the view reads and writes.
struct LayerMapForm
{
    QCustomPlot *plot = nullptr;
    QLineEdit *minText = nullptr;  // lower colour limit: shows the range in use, takes a typed one
    QLineEdit *maxText = nullptr;  // upper colour limit
    QLabel *statusLine = nullptr;  // what the mouse points at
};

// A layer map of one per-cell array: what the two viewer dialogs do with their controls.
// The colour range follows the layer shown until the user sets one; both axes keep the same
// scale (a square cell is drawn square); the map can be dragged and zoomed with the mouse.
class LayerMapView
{
public:
    // Draws layer 1 of source on the form's plot in linear colouring, label under the colour
    // scale ("Pressure (psia)": the value's name and, in parentheses, its unit).
    LayerMapView(const LayerMapForm &form, const LayerMapSource &source, const QString &label);
    ~LayerMapView();

    // Colours by log10 of the values (true) or linearly (false); a range the user did not set
    // follows to the layer's range in the new colouring. Replots.
    void setLogarithmic(bool logarithmic);
    // Splits the colour scale into levelCount steps; keeps range and mode; replots.
    void setLevelCount(int levelCount);
    // Fixes the colour range to the two fields as numbers (text that is no number is 0) until
    // fitToData; replots.
    void applyTypedRange();
    // Goes back to the colour range of the layer shown, which then follows the layer. Replots.
    void fitToData();
    // Shows layer (1-based); the colour range follows unless the user set one, mode and levels
    // stay. A layer outside 1 ... nz is ignored. Replots.
    void showLayer(int layer);
    // Shows another array of the same grid (a later pressure report) in the layer, colour
    // range, mode and levels in use; values as for the source, kept valid by the caller.
    void setValues(const double *values);
    // Fits the whole layer into the plot again after zooming or dragging. Replots.
    void resetView();
    // What the status line says for the point (x, y) in feet: the cell's (i, j, k), 1-based
    // as in the deck, its value with the unit, and the point; empty outside the layer.
    QString describePoint(double x, double y) const;

private:
    void drawLayer();
    void useLayerRange();
    void showDataRange();
    void keepEqualScale();
    void followMouse(const QPoint &pixel);

    LayerMapForm form;
    LayerMapSource grid;
    const double *layerValues;
    int shownLayer = 1;
    QString valueName;
    QString valueUnit;
    bool rangeSetByUser = false;
    // The view spans the whole layer until the user zooms or drags it.
    bool fitWholeLayer = true;
    LayerMap layerMap;
    std::vector<QMetaObject::Connection> connections;
};

#endif // VELDRA_LAYER_MAP_H
