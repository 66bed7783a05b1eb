#ifndef VELDRA_LAYER_MAP_H
#define VELDRA_LAYER_MAP_H

#include <memory>

#include <QString>

class QCustomPlot;
class QCPColorGradient;
class QCPColorMap;
class QCPColorScale;
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
    const double *values = nullptr; // the values shown
};

// The plot objects of one layer map. The colour map and scale belong to the plot; the
// gradient, whose level count the viewer changes, belongs to whoever holds this.
struct LayerMap
{
    QCPColorMap *colorMap = nullptr;
    QCPColorScale *colorScale = nullptr;
    std::unique_ptr<QCPColorGradient> gradient;
};

// Draws one grid layer on plot as a colour map with a horizontal jet colour scale under it.
//   plot      in/out: the plot that receives map, scale and axis labels
//   nx, ny    cells per row and rows of the layer (either may be 0: nothing to draw)
//   xs, ys    nx * ny low-corner coordinates of the layer's cells (ft); the first and last
//             give the map's key and value range
//   values    nx * ny values, value (i, j) at j * nx + i
//   label     text under the colour scale
//   logScale  colour by log10 of the values rather than linearly
// Returns the new map, scale and a 20-level gradient.
LayerMap buildLayerMap(QCustomPlot *plot, int nx, int ny, const double *xs, const double *ys,
                       const double *values, const QString &label, bool logScale);

// Sets up the layer chooser for nz layers: a range of 1 ... nz, read-only with one layer.
void setUpLayerSpin(QSpinBox *layerSpin, int nz);

// A layer map of one per-cell array: what the two viewer dialogs do with their controls.
class LayerMapView
{
public:
    // Draws layer 1 of source on plot in linear colouring, label under the colour scale.
    LayerMapView(QCustomPlot *plot, const LayerMapSource &source, const QString &label);
    ~LayerMapView();

    // Colours by log10 of the values (true) or linearly (false); replots.
    void setLogarithmic(bool logarithmic);
    // Splits the colour scale into levelCount steps; keeps range and mode; replots.
    void setLevelCount(int levelCount);
    // Fixes the colour range to the two texts as numbers (text that is no number is 0); replots.
    void setDataRange(const QString &lower, const QString &upper);
    // Shows layer (1-based) in the current colour range, mode and levels; a layer outside
    // 1 ... nz is ignored. Replots.
    void showLayer(int layer);

private:
    QCustomPlot *plot;
    int mapNx;
    int mapNy;
    int mapNz;
    const double *layerValues;
    LayerMap layerMap;
};

#endif // VELDRA_LAYER_MAP_H
