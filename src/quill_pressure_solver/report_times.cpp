#include <algorithm>
#include <cmath>
#include <string>
#include <sstream>

#include "input_error.h"
#include "one_dim_solver.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      constexpr double first_report_time = 0.01;  // days
      constexpr double row_start_offset  = 0.1;   // days after the previous row's end
      // Every report step keeps a pressure profile; a schedule of a few hundred steps is usual.
      constexpr long long max_report_steps = 100000;

      // n times spaced evenly in ln t from first to last (exactly last when n = 1).
      void append_log_spaced(std::vector<double> &times, double first, double last, int n)
      {
        if (n == 1)
        {
          times.push_back(last);
          return;
        }
        const double step = (std::log(last) - std::log(first)) / (n - 1);
        for (int k = 0; k < n; ++k)
          times.push_back(k + 1 == n ? last : std::exp(std::log(first) + k * step));
      }
    } // namespace

    // Each WCONPROD row's steps end at its time; the first row's start at 0.01 days, a later
    // row's 0.1 days after the previous row's end. A row with no steps adds no time.
    void OneDimSolver::_build_report_times()
    {
      const PressureModel &m = _model;
      long long step_count = 0;
      for (int steps : m.schedule_step_count)
        step_count += std::max(steps, 0);
      if (step_count > max_report_steps)
        throw InputError("\nERROR: The well schedule WCONPROD asks for " + std::to_string(step_count)
                         + " report steps; at most " + std::to_string(max_report_steps)
                         + " are allowed!\n");

      _report_times.clear();
      for (std::size_t j = 0; j < m.schedule_time.size(); ++j)
        if (m.schedule_step_count[j] > 0)
          append_log_spaced(_report_times,
                            j == 0 ? first_report_time : m.schedule_time[j - 1] + row_start_offset,
                            m.schedule_time[j], m.schedule_step_count[j]);
      if (_report_times.empty())
        throw InputError("\nERROR: The well schedule WCONPROD has no report steps!\n");

      _time_step.resize(_report_times.size());
      for (std::size_t s = 0; s < _report_times.size(); ++s)
      {
        _time_step[s] = _report_times[s] - (s == 0 ? 0.0 : _report_times[s - 1]);
        // A row of several steps shorter than its start offset would step backwards in time.
        if (!(_time_step[s] > 0.0))
        {
          std::ostringstream text;
          text << "\nERROR: The report times of the well schedule do not increase at "
               << _report_times[s]
               << " days! A row's steps start 0.1 days after the previous row (0.01 days for the"
                  " first row); give the row a later time or a single step.\n";
          throw InputError(text.str());
        }
      }
    }
  } // namespace quill
} // namespace orr
