#include "internal_time_steps.h"

#include <algorithm>

namespace orr
{
  namespace quill
  {
    namespace
    {
      constexpr double first_step             = 0.001;  // days
      constexpr double largest_step_fraction  = 0.1;    // of the time since the control changed
    } // namespace

    double next_internal_time(double time, double control_start, double report_time)
    {
      const double step      = std::max(first_step, largest_step_fraction * (time - control_start));
      const double remaining = report_time - time;
      if (remaining <= step)
        return report_time;
      if (remaining < 2.0 * step)
        return time + 0.5 * remaining;
      return time + step;
    }
  } // namespace quill
} // namespace orr
