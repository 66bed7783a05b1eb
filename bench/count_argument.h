#ifndef ORR_BENCH_COUNT_ARGUMENT_H
#define ORR_BENCH_COUNT_ARGUMENT_H

#include <optional>

namespace orr
{
  namespace bench
  {
    /** `text` as a count of at least `smallest` (decimal digits only, below 10^9), else nothing. */
    std::optional<unsigned> read_count_argument(const char *text, unsigned smallest);
  } // namespace bench
} // namespace orr

#endif
