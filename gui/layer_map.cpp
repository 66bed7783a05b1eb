#include "layer_map.h"

#include <algorithm>
#include <cmath>

#include <QSpinBox>
#include <qcustomplot.h>

#include "axis_scale.h"

namespace {

// Levels of a fresh colour scale.
constexpr int DEFAULT_LEVEL_COUNT = 20;

// A map range that covers [lower, upper] and never collapses to a point: one cell along an
// axis (nx or ny of 1) gets a width of one foot around its position, so that it is drawn.
QCPRange coordinateRange(double lower, double upper)
{
    if (lower == upper)
        return QCPRange(lower - 0.5, upper + 0.5);
    return QCPRange(lower, upper);
}

// Colours by log10 of the values or linearly; the colour scale's ticks follow, at powers of
// ten when logarithmic.
void setColouring(QCPColorMap *colorMap, QCPColorScale *colorScale, bool logarithmic)
{
    colorMap->setDataScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    setAxisScale(colorScale->axis(), logarithmic);
}

// Fills the colour map's cells from one layer, value (i, j) at j * nx + i.
void fillCells(QCPColorMap *colorMap, int nx, int ny, const double *values)
{
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            colorMap->data()->setCell(i, j, values[j * nx + i]);
}

// Sets the colour range to the data. A layer of one value (a homogeneous property) has no
// range of its own; it gets one of half the value either side, so that the colour scale
// still shows that value.
void rescaleToData(QCPColorMap *colorMap)
{
    colorMap->rescaleDataRange(true);
    const QCPRange bounds = colorMap->data()->dataBounds();
    if (bounds.lower != bounds.upper)
        return;
    const double halfWidth = bounds.lower == 0.0 ? 1.0 : 0.5 * std::abs(bounds.lower);
    colorMap->setDataRange(QCPRange(bounds.lower - halfWidth, bounds.upper + halfWidth));
}

} // namespace

LayerMap buildLayerMap(QCustomPlot *plot, int nx, int ny, const double *xs, const double *ys,
                       const double *values, const QString &label, bool logScale)
{
    // (1) Interaction and a full box of axes, the top and right ones following.
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->axisRect()->setupFullAxesBox(true);
    // (2) Axis labels.
    plot->xAxis->setLabel("xDir (ft)");
    plot->yAxis->setLabel("yDir (ft)");

    // (3) to (5) The map: one data cell per grid cell, cell centres from the first to the
    // last low corner of the layer.
    LayerMap map;
    map.colorMap = new QCPColorMap(plot->xAxis, plot->yAxis);
    const int cellCount = std::max(nx, 0) * std::max(ny, 0);
    map.colorMap->data()->setSize(std::max(nx, 0), std::max(ny, 0));
    if (cellCount > 0) {
        map.colorMap->data()->setRange(coordinateRange(0.0, xs[cellCount - 1]),
                                       coordinateRange(0.0, ys[cellCount - 1]));
        fillCells(map.colorMap, nx, ny, values);
    }

    // (6) A jet colour scale under the axis rectangle.
    map.colorScale = new QCPColorScale(plot);
    map.gradient = std::make_unique<QCPColorGradient>(QCPColorGradient::gpJet);
    plot->plotLayout()->addElement(1, 0, map.colorScale);
    map.colorScale->setType(QCPAxis::atBottom);
    map.colorMap->setColorScale(map.colorScale);
    map.colorScale->axis()->setLabel(label);

    // (7) Levels.
    map.gradient->setLevelCount(DEFAULT_LEVEL_COUNT);
    map.colorScale->setGradient(*map.gradient);

    // (8) Colouring mode, blocky cells, colour range from the data.
    map.colorMap->setInterpolate(false);
    setColouring(map.colorMap, map.colorScale, logScale);
    rescaleToData(map.colorMap);
    map.colorMap->setTightBoundary(true);

    // (9) Map and colour scale share their top and bottom margins.
    auto *marginGroup = new QCPMarginGroup(plot);
    plot->axisRect()->setMarginGroup(QCP::msTop | QCP::msBottom, marginGroup);
    map.colorScale->setMarginGroup(QCP::msTop | QCP::msBottom, marginGroup);

    // (10) Axes to the map.
    plot->rescaleAxes();
    return map;
}

void setUpLayerSpin(QSpinBox *layerSpin, int nz)
{
    if (nz <= 1) {
        layerSpin->setRange(1, 1);
        layerSpin->setReadOnly(true);
        return;
    }
    layerSpin->setRange(1, nz);
}

LayerMapView::LayerMapView(QCustomPlot *plot, const LayerMapSource &source, const QString &label)
    : plot(plot),
      mapNx(std::max(source.nx, 0)),
      mapNy(std::max(source.ny, 0)),
      mapNz(std::max(source.nz, 0)),
      layerValues(source.values)
{
    // Layer 1 is the first nx * ny elements of each array.
    const bool hasLayer = mapNz > 0;
    layerMap = buildLayerMap(plot, hasLayer ? mapNx : 0, hasLayer ? mapNy : 0, source.cellX,
                             source.cellY, source.values, label, false);
}

LayerMapView::~LayerMapView() = default;

void LayerMapView::setLogarithmic(bool logarithmic)
{
    setColouring(layerMap.colorMap, layerMap.colorScale, logarithmic);
    plot->replot();
}

void LayerMapView::setLevelCount(int levelCount)
{
    layerMap.gradient->setLevelCount(levelCount);
    layerMap.colorScale->setGradient(*layerMap.gradient);
    plot->replot();
}

void LayerMapView::setDataRange(const QString &lower, const QString &upper)
{
    layerMap.colorMap->setDataRange(QCPRange(lower.toDouble(), upper.toDouble()));
    plot->replot();
}

void LayerMapView::showLayer(int layer)
{
    if (layer < 1 || layer > mapNz)
        return;
    const std::ptrdiff_t layerSize = static_cast<std::ptrdiff_t>(mapNx) * mapNy;
    fillCells(layerMap.colorMap, mapNx, mapNy, layerValues + (layer - 1) * layerSize);
    plot->replot();
}
