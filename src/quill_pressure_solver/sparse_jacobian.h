#ifndef ORR_QUILL_SPARSE_JACOBIAN_H
#define ORR_QUILL_SPARSE_JACOBIAN_H

#include <memory>
#include <vector>

#include "sparse_lu_solver.h"

namespace orr
{
  namespace quill
  {
    /**
     * The Jacobian of the one-dimensional pressure system, held in its fixed compressed-row
     * pattern so that assembly costs grow linearly with the cell count.
     *
     * Unknowns: fracture pressures 0 .. n-1; with two or three continua the matrix pressures
     * n .. 2n-1; with three the kerogen concentrations 2n .. 3n-1; under rate control the
     * bottom-hole pressure last. Row entries are in ascending column order:
     *   fracture row i: i-1, i, i+1, n+i (dual porosity), and the well unknown on row 0;
     *   matrix row n+i: i, n+i, 2n+i (kerogen);  kerogen row 2n+i: n+i, 2n+i;
     *   well row: 0, well.
     * The pattern is analysed for the sparse solve when it is laid out; each solve then only
     * factorises the current values.
     */
    class SparseJacobian
    {
    public:
      SparseJacobian() = default;
      /** A copy has the same pattern and entries, and an analysis of its own. */
      SparseJacobian(const SparseJacobian &other);
      SparseJacobian &operator=(const SparseJacobian &other);
      SparseJacobian(SparseJacobian &&) = default;
      SparseJacobian &operator=(SparseJacobian &&) = default;

      /**
       * Lays out the pattern for n cells, 1 to 3 continua, with or without the well unknown,
       * and analyses it unless it is the pattern already analysed.
       */
      void build_pattern(unsigned n, unsigned continua, bool rate_control);

      /** Sets every stored entry to zero. */
      void clear();

      /** The stored entry (row, column); fails a check when it is outside the pattern. */
      double &at(unsigned row, unsigned column);
      double  at(unsigned row, unsigned column) const;

      /** Number of unknowns. */
      unsigned size() const { return static_cast<unsigned>(_row_start.size()) - 1; }

      /**
       * The pattern and values in the sparse solver's form: 1-based columns and row starts,
       * one row start per row (the solver appends the closing entry).
       */
      void export_one_based(std::vector<double> &values, std::vector<int> &columns,
                            std::vector<int> &row_start) const;

      /**
       * Solves J x = rhs with the stored entries; rhs has size() entries, x is resized to
       * them. Throws ExcMessage for a singular system or a solution that is not finite.
       */
      void solve(const std::vector<double> &rhs, std::vector<double> &x);

    private:
      unsigned _find(unsigned row, unsigned column) const;
      /** Analyses the laid-out pattern for the sparse solve unless it is the one analysed. */
      void _analyse();

      std::vector<unsigned> _row_start{0};
      std::vector<unsigned> _column;
      std::vector<double>   _value;
      std::unique_ptr<orr::solver_utilities::SparseLuSolver> _solver;
    };
  } // namespace quill
} // namespace orr

#endif
