#ifndef QUILL_ECLIPSE_EXPORT_GRID_H
#define QUILL_ECLIPSE_EXPORT_GRID_H

#include <string>

#include <opm/input/eclipse/EclipseState/Grid/EclipseGrid.hpp>
#include <opm/input/eclipse/EclipseState/Grid/NNC.hpp>

#include "quill_run_results.h"

namespace orr
{
  namespace eclipse
  {
    /** The grid results are shown on, and whether it is the deck's original one. */
    struct ExportGrid
    {
      Opm::EclipseGrid grid;
      bool             imported;
    };

    /**
     * The original grid quill-import kept as egrid_path, when it is there and still fits the
     * run (same dimensions, cell sizes within a millionth); else a grid built from the run's
     * DX, DY and DZ with its top at depth 0, every cell active.
     */
    ExportGrid export_grid(const std::string &egrid_path, const QuillRunResults &run);

    /**
     * The values of grid's active cells, in single precision as the viewers keep them.
     * values: one per cell of the grid, i fastest.
     */
    std::vector<float> active_cell_values(const Opm::EclipseGrid &grid, const std::vector<double> &values);
  } // namespace eclipse
} // namespace orr

#endif
