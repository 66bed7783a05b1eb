#ifndef ORR_QUILL_TAU_RECORDS_H
#define ORR_QUILL_TAU_RECORDS_H

#include <vector>

namespace orr
{
  namespace quill
  {
    /** Unit type codes of a run (the deck always uses FIELD). */
    constexpr int UNIT_TYPE_METRIC = 1;
    constexpr int UNIT_TYPE_FIELD  = 2;

    /**
     * The drainage-volume records of a march: for every recorded acceptance, in order of
     * acceptance (tau non-decreasing), the cell's tau and the pore and bulk volume of all
     * cells accepted so far, the cell itself included; and per cell its own tau and those
     * cumulative volumes. The recorded values are in FIELD units (tau raw, in
     * ft / sqrt(mD / (cp 1/psi)); volumes in cubic feet); the running sums stay in the
     * deck's units.
     */
    class TauRecords
    {
    public:
      /** Empties the records and sizes the per-cell tables (all 0) for `number_of_cells`. */
      void reset(unsigned int number_of_cells);

      /**
       * Records the acceptance of `cell` at raw `tau` with its own `pore_volume` and
       * `bulk_volume` (deck units). A negative or not-a-number pore volume records
       * nothing and leaves the cell the record of a cell never recorded. `unit_type` is
       * UNIT_TYPE_METRIC or UNIT_TYPE_FIELD; any other value throws ExcIo (the running
       * sums were already increased).
       */
      void record(unsigned int cell, double tau, double pore_volume, double bulk_volume,
                  int unit_type);

      /**
       * Keeps the own pore and bulk volume of `cell` (deck units) in its record until
       * `record` or `clear` replaces them, so that the acceptance finds them in the record
       * it writes. Until then the cell's record shows tau 0 and these volumes.
       */
      void keep_volumes(unsigned int cell, double pore_volume, double bulk_volume)
      {
        _cells[cell] = CellRecord{0.0, pore_volume, bulk_volume};
      }

      /** Gives `cell` the record of a cell never recorded (all 0). */
      void clear(unsigned int cell) { _cells[cell] = CellRecord{0.0, 0.0, 0.0}; }

      /** What is recorded of one cell: its tau and the cumulative volumes at its acceptance. */
      struct CellRecord
      {
        double tau;
        double pore_volume;
        double bulk_volume;
      };

      /** Starts loading the record of `cell`, which `record` will write soon. */
      void prefetch(unsigned int cell) const
      {
        if (cell < _cells.size())
          __builtin_prefetch(&_cells[cell], 1);
      }

      /** Per acceptance, in acceptance order. */
      const std::vector<double> &tau_list() const { return _tau_list; }
      const std::vector<double> &pore_volume_list() const { return _pore_volume_list; }
      const std::vector<double> &bulk_volume_list() const { return _bulk_volume_list; }

      /** Per cell, by linear cell index; all 0 for cells never recorded. */
      const std::vector<CellRecord> &cells() const { return _cells; }

      /** The tau of every cell, by linear cell index. */
      std::vector<double> cell_tau() const;

    private:
      double _cumulative_pore_volume = 0.0;
      double _cumulative_bulk_volume = 0.0;

      std::vector<double> _tau_list;
      std::vector<double> _pore_volume_list;
      std::vector<double> _bulk_volume_list;

      /** The three per-cell values together: an acceptance writes them at once. */
      std::vector<CellRecord> _cells;
    };
  } // namespace quill
} // namespace orr

#endif
