#ifndef ORR_QUILL_SPARSE_JACOBIAN_H
#define ORR_QUILL_SPARSE_JACOBIAN_H

#include <vector>

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
     */
    class SparseJacobian
    {
    public:
      /** Lays out the pattern for n cells, 1 to 3 continua, with or without the well unknown. */
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

    private:
      unsigned _find(unsigned row, unsigned column) const;

      std::vector<unsigned> _row_start{0};
      std::vector<unsigned> _column;
      std::vector<double>   _value;
    };
  } // namespace quill
} // namespace orr

#endif
