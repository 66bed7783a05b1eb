#ifndef ORR_BENCH_HEAP_DIJKSTRA_H
#define ORR_BENCH_HEAP_DIJKSTRA_H

#include <cstddef>
#include <vector>

#include "synthetic_reservoir.h"

namespace orr
{
  namespace bench
  {
    /**
     * The cost floor of any label-setting march on the benchmark grid: Dijkstra's shortest
     * travel times from the well's completions over the six face neighbours of each cell,
     * with an array-indexed binary heap of (time, cell) entries and a heap position per
     * cell, so that lowering a tentative time is one sift up.
     *
     * The travel time across a face is the sum of the two cells' half travel times along
     * its dimension, half the cell's size over sqrt(k / (phi mu ct)): the first-order
     * update of the march from a single upwind neighbour. Times are in the march's raw tau
     * units. Cells with no permeability or storage are not treated apart: the benchmark
     * grid has none.
     */
    class HeapDijkstra
    {
    public:
      /** Uses `reservoir`'s records (kept by reference) with the fluid ct (1/psi) and mu (cp). */
      HeapDijkstra(const SyntheticReservoir &reservoir, double total_compressibility, double viscosity);

      /**
       * Computes every cell's travel time from the completions: the half travel times from
       * the records, then the label-setting loop. Returns the number of cells settled.
       */
      std::size_t run();

      /** Each cell's travel time after `run`. */
      const std::vector<double> &times() const { return _time; }

    private:
      void _push_or_lower(unsigned cell, double time);
      unsigned _pop();
      void _sift_up(std::size_t index);
      void _sift_down(std::size_t index);
      struct Entry
      {
        double   time;
        unsigned cell;
      };

      void _place(std::size_t index, const Entry &entry);

      const SyntheticReservoir &_reservoir;
      double                    _storage_factor;  // mu ct: storage is porosity times this

      std::vector<double>   _half_travel_time;  // three per cell: I, J, K
      std::vector<double>   _time;
      std::vector<int>      _position;          // heap index, or FAR / SETTLED
      std::vector<Entry>    _heap;
    };
  } // namespace bench
} // namespace orr

#endif
