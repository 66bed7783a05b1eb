#include "stage_timer.h"

#include <ctime>

namespace orr
{
  namespace bench
  {
    StageTimer::StageTimer()
      : _wall_start(std::chrono::steady_clock::now())
      , _cpu_start(_process_cpu_seconds())
    {}

    double StageTimer::wall_seconds() const
    {
      return std::chrono::duration<double>(std::chrono::steady_clock::now() - _wall_start).count();
    }

    double StageTimer::cpu_seconds() const
    {
      return _process_cpu_seconds() - _cpu_start;
    }

    double StageTimer::_process_cpu_seconds()
    {
      timespec now{};
      clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
      return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
    }
  } // namespace bench
} // namespace orr
