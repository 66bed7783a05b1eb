#ifndef VELDRA_CELL_COLOR_MAP_H
#define VELDRA_CELL_COLOR_MAP_H

#include <vector>

#include <qcustomplot.h>

// The edges of one grid cell in the map's plane, in feet.
struct CellRect
{
    double x0 = 0.0; // low and high x
    double x1 = 0.0;
    double y0 = 0.0; // low and high y
    double y1 = 0.0;
};

// A colour map that draws every cell of a layer whole, as the rectangle between its own edges,
// so that a grid of unequal cell sizes is drawn true to scale. Values, colour range, gradient
// and colour scale are those of the ordinary colour map; only the drawing differs.
class CellColorMap : public QCPColorMap
{
    Q_OBJECT

public:
    CellColorMap(QCPAxis *keyAxis, QCPAxis *valueAxis);

    // Sets the layer's nx * ny cells, rect (i, j) at j * nx + i; sizes the data to nx by ny.
    void setCells(int nx, int ny, std::vector<CellRect> rects);
    // The cell (j * nx + i) whose rectangle holds the point (x, y) in feet, or -1.
    int cellAt(double x, double y) const;

    QCPRange getKeyRange(bool &foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool &foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange &inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter *painter) override;

private:
    int cellsPerRow = 0;
    std::vector<CellRect> cells;
    QCPRange xExtent;
    QCPRange yExtent;
    bool equalCells = false; // a regular lattice of cells of one size
};

#endif // VELDRA_CELL_COLOR_MAP_H
