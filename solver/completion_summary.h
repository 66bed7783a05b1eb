#ifndef QUILL_COMPLETION_SUMMARY_H
#define QUILL_COMPLETION_SUMMARY_H

#include <array>
#include <string>
#include <vector>

#include "corner_point_grid_solver.h"
#include "deck_reader.h"
#include "grid_corner_point.h"

namespace orr
{
  namespace quill
  {
    /** Sums over the completed cells, weighted by their thickness h (ft). */
    struct CompletionSums
    {
      double sum_kh   = 0.0;  // md ft, with k = sqrt(kx ky)
      double sum_phih = 0.0;  // ft
      double sum_roh  = 0.0;  // ft2, equivalent well-block radius times h
      double sum_h    = 0.0;  // ft

      /** Thickness-weighted mean equivalent well-block radius (ft); 0/0 without completions. */
      double mean_radius() const { return sum_roh / sum_h; }
    };

    /**
     * Equivalent well-block radius (ft) of an anisotropic cell of sizes lx by ly (ft) with
     * the permeabilities kx, ky (md): the radius at which the steady-state pressure of a
     * well in the cell centre equals the cell's pressure.
     */
    double equivalent_well_block_radius(double kx, double ky, double lx, double ly);

    /** One completed cell as the summary lists it: Lx, Ly, h (ft), kx, ky, kz (md), phi. */
    using CompletionRow = std::array<double, 7>;

    /** The completion summary of a run: one row per completion in deck order, and the sums. */
    struct CompletionSummary
    {
      std::vector<CompletionRow> rows;
      CompletionSums             sums;
    };

    /**
     * Gathers the completion summary. completions: 1-based cells inside the grid. solver:
     * attached to `grid`, it gives the cells' sizes, permeabilities and porosities.
     */
    CompletionSummary summarise_completions(const std::vector<CompletionCell> &completions,
                                            const CornerPointGrid &grid,
                                            const CornerPointGridSolver &solver);

    /**
     * Writes the completion summary `path` ("well_prop.txt"): one line "K Lx Ly h kx ky kz phi "
     * per completion, an empty line, then "sum(k*h) = " and "sum(phi*h) = ".
     * temporary_stem: names its temporary file (see AtomicOutputFile); runs of several decks
     * share the summary's folder and each names it after its own deck.
     * Throws ExcFileNotOpen with `path` if the file cannot be created.
     */
    void write_completion_summary(const std::string &path, const std::string &temporary_stem,
                                  const CompletionSummary &summary);
  } // namespace quill
} // namespace orr

#endif
