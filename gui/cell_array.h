#ifndef VELDRA_CELL_ARRAY_H
#define VELDRA_CELL_ARRAY_H

#include <memory>
#include <vector>

// One value per grid cell, in the deck's order: index k * nx * ny + j * nx + i.
// Shared, so that a view opened on an array keeps it alive after the main window replaces it.
using CellArray = std::shared_ptr<const std::vector<double>>;

#endif // VELDRA_CELL_ARRAY_H
