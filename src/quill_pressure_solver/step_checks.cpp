#include <algorithm>
#include <cmath>
#include <sstream>

#include "input_error.h"
#include "one_dim_solver.h"
#include "pressure_constants.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      // A pressure above this many times the largest pressure the deck gives (initial pressure
      // or a table row) is no reservoir state but a diverging solve.
      constexpr double largest_pressure_factor = 10.0;

      double largest_of(double value, const std::vector<double> &column)
      {
        return column.empty() ? value : std::max(value, *std::max_element(column.begin(), column.end()));
      }

      // What is wrong with pressure p (psia) named `what`, or "" when it is in [0, upper].
      std::string pressure_fault(const char *what, double p, double upper)
      {
        // Checked for every cell at every step: the text is made only for a fault.
        if (p >= 0.0 && p <= upper)
          return std::string();
        std::ostringstream fault;
        if (!std::isfinite(p))
          fault << what << " is no longer finite";
        else if (p < 0.0)
          fault << what << " is " << p << " psia, below zero";
        else if (p > upper)
          fault << what << " is " << p << " psia, above 10 times the largest initial or table pressure ("
                << upper << " psia)";
        return fault.str();
      }
    } // namespace

    // With internal steps between the reports, each of them is a step here: s is the report
    // step it leads to and the day its own end.
    void OneDimSolver::_warn_if_unconverged(unsigned s, int iterations, std::ostream &warnings)
    {
      if (iterations < pressure_constants::newton_iteration_limit)
        return;
      ++_unconverged_step_count;
      warnings << "Warning: step " << s + 1 << " (day " << _time << ") did not converge in "
               << pressure_constants::newton_iteration_limit - 1
               << " iterations; its results are approximate." << std::endl;
    }

    void OneDimSolver::report_unconverged_steps(std::ostream &warnings) const
    {
      if (_unconverged_step_count == 0)
        return;
      warnings << "Warning: " << _unconverged_step_count << " of " << _internal_step_count
               << " steps did not converge in " << pressure_constants::newton_iteration_limit - 1
               << " iterations; their results are approximate." << std::endl;
    }

    double OneDimSolver::_largest_physical_pressure() const
    {
      const PressureModel &m = _model;
      double largest = m.initial_pressure;
      for (const std::vector<double> *column : {&m.gas_pressure, &m.oil_pressure, &m.rock_pressure})
        largest = largest_of(largest, *column);
      return largest_pressure_factor * largest;
    }

    // A step that leaves the physical range would be written as if it were a result: its
    // pressures lie outside [0, ten times the deck's largest pressure], or a well held at a
    // production rate injects. Checked at the end of every internal step, on its own rates;
    // s is the report step it leads to.
    void OneDimSolver::_check_physical_range(unsigned s) const
    {
      const double upper = _largest_physical_pressure();
      const IntervalProduction &interval = _interval;
      std::string  fault = pressure_fault("the bottom-hole pressure", _p_wf, upper);
      auto check_each = [&fault, upper](const char *what, const std::vector<double> &pressures) {
        for (std::size_t i = 0; i < pressures.size() && fault.empty(); ++i)
          fault = pressure_fault(what, pressures[i], upper);
      };
      check_each("a reservoir pressure", _p);
      if (_continua > 1)
        check_each("a matrix pressure", _p_m);

      std::ostringstream text;
      if (!fault.empty())
        text << fault;
      else if (!std::isfinite(interval.rate.volume) || !std::isfinite(interval.transfer_rate.last)
               || !std::isfinite(interval.diffusion_rate.last))
        text << "the rate is no longer finite";
      // A well held at a rate produces; a negative rate there is a solve gone astray (rounding
      // leaves a drawdown of a fraction of the Newton tolerance either way). Held at a pressure
      // above that of the depleted reservoir around it, the well does inject: that is the model.
      else if (_rate_control && interval.rate.last < 0.0
               && _p_wf - _p[0] > pressure_constants::converged_pressure_change)
        text << "the rate is " << interval.rate.last << ", negative for a well held at a production rate";
      if (text.str().empty())
        return;
      std::ostringstream message;
      message << "\nERROR: The pressure solution left the physical range at step " << s + 1 << " (day "
              << _time << "): " << text.str()
              << ". Check the PVT and rock tables and the well data.\n";
      throw InputError(message.str());
    }
  } // namespace quill
} // namespace orr
