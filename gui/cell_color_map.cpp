#include "cell_color_map.h"

#include <algorithm>
#include <cmath>

namespace {

// Edges in pixels are rounded the same way for both neighbours of an edge, so that cells
// meet without gaps or overlaps whatever the zoom.
QRectF pixelRect(const QPointF &corner, const QPointF &oppositeCorner)
{
    return QRectF(QPointF(std::round(corner.x()), std::round(corner.y())),
                  QPointF(std::round(oppositeCorner.x()), std::round(oppositeCorner.y())))
        .normalized();
}

// Equal up to the rounding of sums of cell sizes.
bool nearlyEqual(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * (std::abs(a) + std::abs(b) + 1.0);
}

} // namespace

CellColorMap::CellColorMap(QCPAxis *keyAxis, QCPAxis *valueAxis) : QCPColorMap(keyAxis, valueAxis)
{
}

void CellColorMap::setCells(int nx, int ny, std::vector<CellRect> rects)
{
    cellsPerRow = nx;
    cells = std::move(rects);
    data()->setSize(nx, ny);
    if (cells.empty())
        return;
    xExtent = QCPRange(cells.front().x0, cells.front().x1);
    yExtent = QCPRange(cells.front().y0, cells.front().y1);
    for (const CellRect &cell : cells) {
        xExtent.expand(QCPRange(cell.x0, cell.x1));
        yExtent.expand(QCPRange(cell.y0, cell.y1));
    }
    // The nominal data range runs from the first to the last cell centre, as for an
    // ordinary colour map of equal cells.
    const CellRect &first = cells.front();
    const CellRect &lastInRow = cells[size_t(nx - 1)];
    const CellRect &lastInColumn = cells[size_t((ny - 1) * nx)];
    data()->setRange(QCPRange(0.5 * (first.x0 + first.x1), 0.5 * (lastInRow.x0 + lastInRow.x1)),
                     QCPRange(0.5 * (first.y0 + first.y1), 0.5 * (lastInColumn.y0 + lastInColumn.y1)));
    // (i, j) at x0 + i dx, y0 + j dy for every cell, all of one size?
    const double dx = first.x1 - first.x0;
    const double dy = first.y1 - first.y0;
    // (The ordinary map draws a single row or column with no height or width.)
    equalCells = nx > 1 && ny > 1;
    for (size_t c = 0; c < cells.size() && equalCells; ++c) {
        const CellRect &cell = cells[c];
        const double i = double(c % size_t(nx));
        const double j = double(c / size_t(nx));
        equalCells = nearlyEqual(cell.x0, first.x0 + i * dx) && nearlyEqual(cell.x1, first.x0 + (i + 1) * dx)
                     && nearlyEqual(cell.y0, first.y0 + j * dy) && nearlyEqual(cell.y1, first.y0 + (j + 1) * dy);
    }
}

int CellColorMap::cellAt(double x, double y) const
{
    for (size_t c = 0; c < cells.size(); ++c) {
        const CellRect &cell = cells[c];
        if (x >= cell.x0 && x < cell.x1 && y >= cell.y0 && y < cell.y1)
            return int(c);
    }
    return -1;
}

QCPRange CellColorMap::getKeyRange(bool &foundRange, QCP::SignDomain) const
{
    foundRange = !cells.empty();
    return xExtent;
}

QCPRange CellColorMap::getValueRange(bool &foundRange, QCP::SignDomain, const QCPRange &) const
{
    foundRange = !cells.empty();
    return yExtent;
}

void CellColorMap::draw(QCPPainter *painter)
{
    if (cells.empty() || !mKeyAxis || !mValueAxis)
        return;
    // Equal cells are the ordinary colour map's picture, drawn as one image: quick however
    // many cells there are.
    if (equalCells) {
        QCPColorMap::draw(painter);
        return;
    }
    const bool logarithmic = mDataScaleType == QCPAxis::stLogarithmic;
    const QRectF visible = clipRect();
    painter->setAntialiasing(false);
    painter->setPen(Qt::NoPen);
    for (size_t c = 0; c < cells.size(); ++c) {
        const CellRect &cell = cells[c];
        const QRectF rect = pixelRect(coordsToPixels(cell.x0, cell.y0), coordsToPixels(cell.x1, cell.y1));
        if (!rect.intersects(visible))
            continue;
        double value = mMapData->cell(int(c) % cellsPerRow, int(c) / cellsPerRow);
        if (std::isnan(value))
            continue;
        // Logarithmic colouring has no place for values of 0 and below: they take the
        // lowest colour.
        if (logarithmic && value <= 0.0)
            value = mDataRange.lower;
        painter->fillRect(rect, QColor::fromRgba(mGradient.color(value, mDataRange, logarithmic)));
    }
}
