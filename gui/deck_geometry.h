#ifndef VELDRA_DECK_GEOMETRY_H
#define VELDRA_DECK_GEOMETRY_H

#include "cell_array.h"
#include "produced_fluid.h"

#include <QString>
#include <QStringList>

// What the desktop program takes from an input deck: grid size, cell positions, and the
// permeability and porosity arrays, plus whether the deck asks for a pressure solution.
// A larger grid is refused rather than allocated (eleven arrays of doubles each).
const qint64 DEFAULT_MAX_CELL_COUNT = 50000000;

struct DeckGeometry
{
  int nx = 0;
  int ny = 0;
  int nz = 0;
  int cellCount = 0;
  // Low corner of every cell in feet, the cell sizes summed along each axis from 0.
  CellArray cellX, cellY, cellZ;
  // Every cell's size along x and y in feet (DX, DY).
  CellArray sizeX, sizeY;
  // PERMX, PERMY, PERMZ (mD) and PORO. A deck without PERMY or PERMZ shares the PERMX array.
  CellArray permX, permY, permZ, poro;
  bool hasPressureModel = false; // the deck holds the keyword line SIMULATION
  ProducedFluid producedFluid = ProducedFluid::Oil; // from the pressure model after SIMULATION
  QStringList warnings;          // what was missing or unreadable, for the status bar
};

// Reads the deck at deckPath by the deck's own rules: keyword lines that match exactly, "--"
// comments, a value or INCLUDE and the file name (relative to the deck's directory) on the next
// lines; the keyword section ends at SIMULATION. Of the pressure model after it (in the deck or
// the file its INCLUDE names) only the phase keyword GAS is looked for.
// Never fails: a missing keyword, file or value leaves 0 in the cells concerned and adds a
// warning; every array has cellCount entries. DIMENS asking for more than maxCellCount cells
// leaves the grid empty, with a warning.
DeckGeometry readDeckGeometry(const QString &deckPath, qint64 maxCellCount = DEFAULT_MAX_CELL_COUNT);

#endif // VELDRA_DECK_GEOMETRY_H
