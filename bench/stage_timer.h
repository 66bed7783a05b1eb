#ifndef ORR_BENCH_STAGE_TIMER_H
#define ORR_BENCH_STAGE_TIMER_H

#include <chrono>

namespace orr
{
  namespace bench
  {
    /**
     * Wall-clock and CPU time of this process since construction. On a shared machine the
     * CPU time is the steadier figure; both are printed.
     */
    class StageTimer
    {
    public:
      StageTimer();

      double wall_seconds() const;
      double cpu_seconds() const;

    private:
      static double _process_cpu_seconds();

      std::chrono::steady_clock::time_point _wall_start;
      double                                _cpu_start;
    };
  } // namespace bench
} // namespace orr

#endif
