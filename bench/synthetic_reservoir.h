#ifndef ORR_BENCH_SYNTHETIC_RESERVOIR_H
#define ORR_BENCH_SYNTHETIC_RESERVOIR_H

#include <cstdint>
#include <memory>
#include <vector>

#include "cpg_system.h"
#include "data_record.h"
#include "deck_reader.h"

namespace orr
{
  namespace bench
  {
    /**
     * A heterogeneous box of nx x ny x nz cells for the benchmarks: log-normal horizontal
     * permeability (median 10 mD, log standard deviation 1), vertical permeability a tenth
     * of it, porosity uniform in [0.05, 0.30], cells of 50 x 50 x 5 ft, and one vertical
     * well through every layer of the centre column.
     *
     * The values come from a generator with a fixed seed and are rounded to the six
     * significant digits the deck files carry, so that a march on the in-memory grid and a
     * run of quill on the written deck see the same numbers.
     */
    struct SyntheticReservoir
    {
      static constexpr double CELL_SIZE_X           = 50.0;  // ft
      static constexpr double CELL_SIZE_Y           = 50.0;  // ft
      static constexpr double CELL_SIZE_Z           = 5.0;   // ft
      static constexpr double TOTAL_COMPRESSIBILITY = 1e-5;  // 1/psi
      static constexpr double VISCOSITY             = 0.02;  // cp

      std::uint32_t nx = 0, ny = 0, nz = 0;

      /** One value per cell, i fastest. There is no PERMY: it is PERMX. */
      std::shared_ptr<DataRecord<double>> permx;  // mD
      std::shared_ptr<DataRecord<double>> permz;  // mD
      std::shared_ptr<DataRecord<double>> poro;

      /** The well's completed cells, 1-based, top layer first. */
      std::vector<orr::quill::CompletionCell> completions;

      std::uint32_t number_of_cells() const { return nx * ny * nz; }
    };

    /**
     * Draws the reservoir of nx x ny x nz cells (each at least 2), the well in column
     * (nx / 2 + 1, ny / 2 + 1). The same dimensions always give the same values.
     */
    SyntheticReservoir make_synthetic_reservoir(std::uint32_t nx, std::uint32_t ny, std::uint32_t nz);

    /** The n x n x n box of make_synthetic_reservoir. */
    SyntheticReservoir make_synthetic_reservoir(std::uint32_t n);

    /**
     * The corner-point system of `reservoir`, built as the deck reader builds it for the
     * deck that write_benchmark_deck writes: one unit "GLOBAL  " in FIELD units, every cell
     * active, the PERMX record filed under "PERMX   " and "PERMY   ", constant DX, DY, DZ.
     */
    std::shared_ptr<CpgSystem> build_system(const SyntheticReservoir &reservoir);
  } // namespace bench
} // namespace orr

#endif
