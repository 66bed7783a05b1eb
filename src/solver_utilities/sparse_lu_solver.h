#ifndef ORR_SPARSE_LU_SOLVER_H
#define ORR_SPARSE_LU_SOLVER_H

#include <memory>
#include <vector>

#include "banded_lu.h"

namespace orr
{
  namespace solver_utilities
  {
    /**
     * Sparse direct LU solve of A x = b for a square matrix given in 1-based compressed-row
     * form.
     *
     * The analysis of the pattern is done once, at construction; each `solve` factorises the
     * given values anew and solves. A Newton loop whose Jacobian keeps its pattern builds one
     * solver and calls `solve` per iteration.
     *
     * A pattern that reverse Cuthill-McKee order gathers into a narrow band (a chain of
     * cells, or one with a few unknowns per cell) is factorised as a band matrix by LAPACK,
     * with partial pivoting; any other pattern by UMFPACK. UMFPACK works on compressed
     * columns; the compressed rows of A are the compressed columns of A^T, so UMFPACK
     * factorises A^T and solves the transposed system.
     */
    class SparseLuSolver
    {
    public:
      /**
       * Analyses the pattern of an n x n matrix.
       *   row_start: n + 1 entries, 1-based position of each row's first entry in the value
       *              array, the last one the number of entries + 1;
       *   columns:   1-based column of each entry, strictly ascending within a row.
       * Throws ExcMessage naming the fault for a malformed pattern or a failed analysis.
       */
      SparseLuSolver(const std::vector<int> &row_start, const std::vector<int> &columns);
      ~SparseLuSolver();

      SparseLuSolver(const SparseLuSolver &) = delete;
      SparseLuSolver &operator=(const SparseLuSolver &) = delete;

      /** Number of unknowns n. */
      unsigned int size() const;

      /** True when `row_start` and `columns` (1-based, as for the constructor) are this pattern. */
      bool has_pattern(const std::vector<int> &row_start, const std::vector<int> &columns) const;

      /** True when the pattern is factorised as a band matrix. */
      bool is_banded() const { return static_cast<bool>(_banded); }

      /**
       * Factorises the matrix with the analysed pattern and solves A x = rhs.
       *   values: the entries row by row, one per pattern entry;
       *   rhs:    n entries;
       *   x:      out, resized to n entries, the solution.
       * Throws ExcMessage for a singular matrix, a failed factorisation or solve, or a
       * solution that is not finite.
       */
      void solve(const std::vector<double> &values, const std::vector<double> &rhs, std::vector<double> &x);

      /** As above, returning x. */
      std::vector<double> solve(const std::vector<double> &values, const std::vector<double> &rhs);

    private:
      /** Frees UMFPACK's symbolic object. */
      struct SymbolicDeleter
      {
        void operator()(void *symbolic) const;
      };

      void _solve_general(const std::vector<double> &values, const std::vector<double> &rhs,
                          std::vector<double> &x) const;

      int                                     _n;
      std::vector<int>                        _row_start;
      std::vector<int>                        _columns;
      std::unique_ptr<BandedLu>               _banded;    // for a narrow band, else
      std::unique_ptr<void, SymbolicDeleter>  _symbolic;  // UMFPACK's analysis
    };
  } // namespace solver_utilities
} // namespace orr

#endif
