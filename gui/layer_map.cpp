#include "layer_map.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <qcustomplot.h>

#include "axis_scale.h"

namespace {

// Share of the plot's height left to the colour scale beyond its own minimum.
constexpr double COLOR_SCALE_STRETCH = 0.001;

// Levels of a fresh colour scale.
constexpr int DEFAULT_LEVEL_COUNT = 20;

// Values at or above this are the solver's infinite value: a cell the front never reached.
constexpr double INFINITE_VALUE = 1.0e300;

// A cell without a usable size along an axis is drawn one foot wide, so that it shows.
constexpr double FALLBACK_CELL_SIZE = 1.0;

// How numbers are written into the range fields and the status line.
QString numberText(double value)
{
    return QString::number(value, 'g', 6);
}

double usableSize(double size)
{
    return std::isfinite(size) && size > 0.0 ? size : FALLBACK_CELL_SIZE;
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

} // namespace

std::vector<CellRect> layerCells(int nx, int ny, const double *xs, const double *ys, const double *dxs,
                                 const double *dys)
{
    std::vector<CellRect> cells(size_t(std::max(nx, 0)) * size_t(std::max(ny, 0)));
    for (size_t c = 0; c < cells.size(); ++c)
        cells[c] = {xs[c], xs[c] + usableSize(dxs[c]), ys[c], ys[c] + usableSize(dys[c])};
    return cells;
}

QCPRange layerDataRange(const double *values, int count, bool logarithmic)
{
    double lower = std::numeric_limits<double>::infinity();
    double upper = -lower;
    for (int c = 0; c < count; ++c) {
        const double value = values[c];
        if (std::isnan(value) || value >= INFINITE_VALUE || (logarithmic && value <= 0.0))
            continue;
        lower = std::min(lower, value);
        upper = std::max(upper, value);
    }
    if (lower > upper)
        return logarithmic ? QCPRange(1.0, 10.0) : QCPRange(0.0, 1.0);
    if (lower < upper)
        return QCPRange(lower, upper);
    // One value (a homogeneous property) has no range of its own: half of it either side
    // keeps it in the middle of the colour scale.
    const double halfWidth = lower == 0.0 ? 1.0 : 0.5 * std::abs(lower);
    return QCPRange(lower - halfWidth, upper + halfWidth);
}

LayerMap buildLayerMap(QCustomPlot *plot, int nx, int ny, std::vector<CellRect> cells, const double *values,
                       const QString &label, bool logScale)
{
    // (1) Interaction and a full box of axes, the top and right ones following.
    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    plot->axisRect()->setupFullAxesBox(true);
    // (2) Axis labels.
    plot->xAxis->setLabel("xDir (ft)");
    plot->yAxis->setLabel("yDir (ft)");

    // (3) to (5) The map: one data cell per grid cell, each drawn between its own edges.
    LayerMap map;
    map.colorMap = new CellColorMap(plot->xAxis, plot->yAxis);
    const int cellCount = std::max(nx, 0) * std::max(ny, 0);
    map.colorMap->setCells(std::max(nx, 0), std::max(ny, 0), std::move(cells));
    if (cellCount > 0)
        fillCells(map.colorMap, nx, ny, values);

    // (6) A jet colour scale under the axis rectangle.
    map.colorScale = new QCPColorScale(plot);
    map.gradient = std::make_unique<QCPColorGradient>(QCPColorGradient::gpJet);
    plot->plotLayout()->addElement(1, 0, map.colorScale);
    // The scale keeps its own height; the map takes the rest.
    plot->plotLayout()->setRowStretchFactor(1, COLOR_SCALE_STRETCH);
    map.colorScale->setType(QCPAxis::atBottom);
    map.colorMap->setColorScale(map.colorScale);
    map.colorScale->axis()->setLabel(label);

    // (7) Levels.
    map.gradient->setLevelCount(DEFAULT_LEVEL_COUNT);
    map.colorScale->setGradient(*map.gradient);

    // (8) Colouring mode and the colour range of the layer's own values.
    map.colorMap->setInterpolate(false);
    setColouring(map.colorMap, map.colorScale, logScale);
    map.colorMap->setDataRange(layerDataRange(values, cellCount, logScale));

    // (9) The colour scale under the map shares its left and right margins, so that both
    // line up; shared top and bottom margins would leave an empty band of axis-label height
    // under the scale.
    auto *marginGroup = new QCPMarginGroup(plot);
    plot->axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, marginGroup);
    map.colorScale->setMarginGroup(QCP::msLeft | QCP::msRight, marginGroup);

    // (10) Axes to the layer's outer edges.
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

LayerMapView::LayerMapView(const LayerMapForm &form, const LayerMapSource &source, const QString &label)
    : form(form), grid(source), layerValues(source.values)
{
    grid.nx = std::max(source.nx, 0);
    grid.ny = std::max(source.ny, 0);
    grid.nz = std::max(source.nz, 0);
    // "Pressure (psia)": the name, and the unit in parentheses.
    const QRegularExpressionMatch parts =
        QRegularExpression(QStringLiteral("^(.*?)\\s*\\((.*)\\)$")).match(label);
    valueName = parts.hasMatch() ? parts.captured(1) : label;
    valueUnit = parts.hasMatch() ? parts.captured(2) : QString();

    // Layer 1 is the first nx * ny elements of each array.
    const bool hasLayer = grid.nz > 0;
    const int nx = hasLayer ? grid.nx : 0;
    const int ny = hasLayer ? grid.ny : 0;
    layerMap = buildLayerMap(form.plot, nx, ny,
                             layerCells(nx, ny, source.cellX, source.cellY, source.sizeX, source.sizeY),
                             source.values, label, false);
    showDataRange();

    QCustomPlot *plot = form.plot;
    plot->setMouseTracking(true);
    connections = {
        QObject::connect(layerMap.colorMap, &QCPColorMap::dataRangeChanged, [this] { showDataRange(); }),
        QObject::connect(plot, &QCustomPlot::afterLayout, [this] { keepEqualScale(); }),
        QObject::connect(plot, &QCustomPlot::mousePress, [this] { fitWholeLayer = false; }),
        QObject::connect(plot, &QCustomPlot::mouseWheel, [this] { fitWholeLayer = false; }),
        QObject::connect(plot, &QCustomPlot::mouseMove, [this](QMouseEvent *event) { followMouse(event->pos()); }),
        QObject::connect(form.minText, &QLineEdit::returnPressed, [this] { applyTypedRange(); }),
        QObject::connect(form.maxText, &QLineEdit::returnPressed, [this] { applyTypedRange(); }),
    };
}

LayerMapView::~LayerMapView()
{
    // The plot and the fields outlive the view inside their dialog.
    for (const QMetaObject::Connection &connection : connections)
        QObject::disconnect(connection);
}

void LayerMapView::setLogarithmic(bool logarithmic)
{
    setColouring(layerMap.colorMap, layerMap.colorScale, logarithmic);
    if (!rangeSetByUser)
        useLayerRange();
    form.plot->replot();
}

void LayerMapView::setLevelCount(int levelCount)
{
    layerMap.gradient->setLevelCount(levelCount);
    layerMap.colorScale->setGradient(*layerMap.gradient);
    form.plot->replot();
}

void LayerMapView::applyTypedRange()
{
    rangeSetByUser = true;
    layerMap.colorMap->setDataRange(QCPRange(form.minText->text().toDouble(), form.maxText->text().toDouble()));
    showDataRange();
    form.plot->replot();
}

void LayerMapView::fitToData()
{
    rangeSetByUser = false;
    useLayerRange();
    form.plot->replot();
}

void LayerMapView::showLayer(int layer)
{
    if (layer < 1 || layer > grid.nz)
        return;
    shownLayer = layer;
    drawLayer();
    if (!rangeSetByUser)
        useLayerRange();
    form.plot->replot();
}

void LayerMapView::setValues(const double *values)
{
    layerValues = values;
    if (grid.nz > 0)
        drawLayer();
    form.plot->replot();
}

void LayerMapView::resetView()
{
    fitWholeLayer = true;
    form.plot->replot();
}

QString LayerMapView::describePoint(double x, double y) const
{
    const int cell = layerMap.colorMap->cellAt(x, y);
    if (cell < 0)
        return QString();
    const std::ptrdiff_t layerSize = std::ptrdiff_t(grid.nx) * grid.ny;
    const double value = layerValues[(shownLayer - 1) * layerSize + cell];
    QString valueText = value >= INFINITE_VALUE ? QStringLiteral("not reached") : numberText(value);
    if (!valueUnit.isEmpty() && value < INFINITE_VALUE)
        valueText += QLatin1Char(' ') + valueUnit;
    return QStringLiteral("(i, j, k) = (%1, %2, %3)   %4 = %5   x = %6 ft, y = %7 ft")
        .arg(cell % grid.nx + 1)
        .arg(cell / grid.nx + 1)
        .arg(shownLayer)
        .arg(valueName, valueText, numberText(x), numberText(y));
}

void LayerMapView::drawLayer()
{
    const std::ptrdiff_t offset = std::ptrdiff_t(shownLayer - 1) * grid.nx * grid.ny;
    layerMap.colorMap->setCells(grid.nx, grid.ny,
                                layerCells(grid.nx, grid.ny, grid.cellX + offset, grid.cellY + offset,
                                           grid.sizeX + offset, grid.sizeY + offset));
    fillCells(layerMap.colorMap, grid.nx, grid.ny, layerValues + offset);
}

void LayerMapView::useLayerRange()
{
    const std::ptrdiff_t layerSize = std::ptrdiff_t(grid.nx) * grid.ny;
    const bool logarithmic = layerMap.colorMap->dataScaleType() == QCPAxis::stLogarithmic;
    if (grid.nz > 0)
        layerMap.colorMap->setDataRange(
            layerDataRange(layerValues + (shownLayer - 1) * layerSize, int(layerSize), logarithmic));
    showDataRange();
}

void LayerMapView::showDataRange()
{
    const QCPRange range = layerMap.colorMap->dataRange();
    form.minText->setText(numberText(range.lower));
    form.maxText->setText(numberText(range.upper));
}

// Runs after every layout, when the axis rectangle has its size: the whole layer at the
// largest scale that fits it, or, once the user has zoomed or dragged, the y range fitted to
// the x range, one foot as long on either axis.
void LayerMapView::keepEqualScale()
{
    QCustomPlot *plot = form.plot;
    const QRect rect = plot->axisRect()->rect();
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    if (!fitWholeLayer) {
        plot->yAxis->setScaleRatio(plot->xAxis, 1.0);
        return;
    }
    bool found = false;
    const QCPRange xExtent = layerMap.colorMap->getKeyRange(found);
    const QCPRange yExtent = layerMap.colorMap->getValueRange(found);
    if (!found)
        return;
    const double feetPerPixel = std::max(xExtent.size() / rect.width(), yExtent.size() / rect.height());
    if (feetPerPixel <= 0.0)
        return;
    plot->xAxis->setRange(xExtent.center(), feetPerPixel * rect.width(), Qt::AlignCenter);
    plot->yAxis->setRange(yExtent.center(), feetPerPixel * rect.height(), Qt::AlignCenter);
}

void LayerMapView::followMouse(const QPoint &pixel)
{
    form.statusLine->setText(
        describePoint(form.plot->xAxis->pixelToCoord(pixel.x()), form.plot->yAxis->pixelToCoord(pixel.y())));
}
