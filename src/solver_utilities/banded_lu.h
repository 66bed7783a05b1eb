#ifndef ORR_BANDED_LU_H
#define ORR_BANDED_LU_H

#include <vector>

#include "band_ordering.h"

namespace orr
{
  namespace solver_utilities
  {
    /**
     * LU factorisation with partial pivoting of a sparse matrix whose pattern, in a fixed
     * order of the unknowns, lies in a narrow band: LAPACK's dgbtrf and dgbtrs on the band
     * storage of the reordered matrix. Work and storage grow as n times the band's width.
     */
    class BandedLu
    {
    public:
      /**
       * Lays out the band of an n x n pattern in the order `band`.
       *   row_start: n + 1 entries, 0-based position of each row's first entry, then the count;
       *   columns:   0-based column of each entry;
       *   band:      reverse_cuthill_mckee of this pattern, or another order with its bandwidths.
       */
      BandedLu(const std::vector<int> &row_start, const std::vector<int> &columns, BandOrdering band);

      /**
       * Factorises the matrix with these entries (one per pattern entry, row by row).
       * Returns 0, or the 1-based position in the band's order of the first pivot that is
       * exactly zero (the matrix is singular; nothing can be solved until the next factorise).
       */
      int factorise(const std::vector<double> &values);

      /** Solves A x = rhs with the last factorisation; `rhs` and `x` hold n entries each. */
      void solve(const std::vector<double> &rhs, std::vector<double> &x);

    private:
      BandOrdering        _band;
      int                 _leading;      // rows of the band storage: 2 lower + upper + 1
      std::vector<int>    _band_offset;  // where each pattern entry goes in _factors
      std::vector<double> _factors;      // column-major band storage, later L and U
      std::vector<int>    _pivots;
      std::vector<double> _work;         // the right-hand side in the band's order
    };
  } // namespace solver_utilities
} // namespace orr

#endif
