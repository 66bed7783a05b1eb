#ifndef ORR_BENCH_SHALE_GAS_MODEL_H
#define ORR_BENCH_SHALE_GAS_MODEL_H

#include <string>

namespace orr
{
  namespace bench
  {
    /**
     * The pressure-model section of the benchmarks: dry gas in three continua (fractures,
     * matrix and kerogen: DUALPORO and KEROGEN), a year at a gas rate with a bottom-hole
     * pressure limit and four more years at constant bottom-hole pressure, 60 steps in all,
     * no pressure maps. `ntau` is written as NTAU; 0 leaves the default guide grid.
     * The text ends with END and a line end.
     */
    std::string shale_gas_model(int ntau);
  } // namespace bench
} // namespace orr

#endif
