#ifndef ORR_BENCH_OIL_MODEL_H
#define ORR_BENCH_OIL_MODEL_H

#include <string>

namespace orr
{
  namespace bench
  {
    /**
     * The pressure-model section of the oil benchmark: dead oil (PVDO) in one continuum,
     * connate water, a constant rock compressibility, and one producer held at a bottom-hole
     * pressure of 1500 psia for five years, reported `reports` times (40 and 391 in the
     * benchmarks), no pressure maps. The text ends with END and a line end.
     */
    std::string oil_model(int reports);
  } // namespace bench
} // namespace orr

#endif
