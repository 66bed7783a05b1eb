#ifndef ORR_BAND_ORDERING_H
#define ORR_BAND_ORDERING_H

#include <vector>

namespace orr
{
  namespace solver_utilities
  {
    /** An order of the unknowns of a sparse matrix and the band it gives the matrix. */
    struct BandOrdering
    {
      std::vector<int> order;     // order[k]: the unknown placed k-th
      std::vector<int> position;  // position[order[k]] == k
      int              lower = 0; // largest position[row] - position[column] over the entries
      int              upper = 0; // largest position[column] - position[row] over the entries
    };

    /**
     * Reverse Cuthill-McKee order of the pattern of an n x n matrix, made symmetric: each
     * connected part is numbered breadth first from a pseudo-peripheral unknown, neighbours
     * by rising degree, and the whole order reversed. Gathers the entries of a chain, a
     * ladder or a comb (a one-dimensional grid with per-cell side unknowns) into a band a
     * few unknowns wide.
     *   row_start: n + 1 entries, 0-based position of each row's first entry, then the count;
     *   columns:   0-based column of each entry, each below n.
     * Returns the order with the half-bandwidths of the reordered pattern.
     */
    BandOrdering reverse_cuthill_mckee(const std::vector<int> &row_start, const std::vector<int> &columns);
  } // namespace solver_utilities
} // namespace orr

#endif
