#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "exceptions.h"
#include "input_error.h"
#include "internal_time_steps.h"
#include "one_dim_solver.h"
#include "pressure_constants.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      using pressure_constants::converged_pressure_change;
      using pressure_constants::newton_iteration_limit;
      using pressure_constants::cubic_feet_per_barrel;
      using pressure_constants::scf_per_mscf;
      using pressure_constants::Z;
    } // namespace

    // (I) continua, initial state and interface coefficients (the report times were laid out
    // when the schedule was read)
    void OneDimSolver::_initialise_solve()
    {
      const PressureModel &m = _model;
      _continua = m.dualporo ? (m.kerogen ? 3 : 2) : 1;

      const unsigned n   = _n;
      const double   p_i = m.initial_pressure;
      _p.assign(n, p_i);
      _b.assign(n, _b_i);
      _mu.assign(n, _mu_i);
      _db.assign(n, 0.0);
      _dmu.assign(n, 0.0);
      _mt.assign(n, 1.0);
      _dmt.assign(n, 0.0);
      _m.assign(n, 1.0);
      _dm.assign(n, 0.0);
      if (m.rockcomp)
      {
        _mt.assign(n, transmissibility_multiplier(p_i));
        _dmt.assign(n, transmissibility_multiplier_derivative(p_i));
        _m.assign(n, pore_volume_multiplier(p_i));
        _dm.assign(n, pore_volume_multiplier_derivative(p_i));
      }
      _p_wf = p_i;
      if (m.dualporo)
      {
        _p_m = _p;
        _b_m.assign(n, _b_i);
        _mu_m.assign(n, _mu_i);
        _db_m.assign(n, 0.0);
        _dmu_m.assign(n, 0.0);
      }
      if (m.kerogen)
      {
        _c_k.assign(n, langmuir_concentration(p_i));
      }
      _keep_as_old_state();

      // Interface k couples cells k-1 and k; the centres lie half a node spacing either side.
      _interface_coefficient.assign(n + 1, 0.0);
      for (unsigned k = 1; k < n; ++k)
      {
        const double dtau = _tau_nodes[k + 1] - _tau_nodes[k - 1];
        _interface_coefficient[k] =
          2.0 * _mu_i * _ct_i * (_node_pore_volume[k + 1] - _node_pore_volume[k - 1]) / (dtau * dtau);
      }

      const std::size_t steps = _report_times.size();
      _rate.assign(steps, 0.0);
      _cumulative.assign(steps, 0.0);
      _bhp.assign(steps, 0.0);
      _transfer_rate.assign(steps, 0.0);
      _diffusion_rate.assign(steps, 0.0);
      _iterations.assign(steps, 0);
      _pressure_profile.assign(steps, std::vector<double>());
      _interval = IntervalProduction();
    }

    // (D1) the row's control: a BHP row fixes p_wf, any other mode makes p_wf an unknown
    void OneDimSolver::_prepare_control(unsigned row)
    {
      _rate_control = _model.schedule_mode[row] != "BHP";
      if (_rate_control)
        _target_rate = _model.schedule_second_value[row];
      else
        _p_wf = _model.schedule_first_value[row];
      const unsigned size = _continua * _n + (_rate_control ? 1 : 0);
      _jacobian.build_pattern(_n, _continua, _rate_control);
      _residual.assign(size, 0.0);
    }

    // (E7) solve J x = R, update by -x; true when the well switched to BHP control
    bool OneDimSolver::_solve_and_update(unsigned row)
    {
      _jacobian.solve(_residual, _newton_update);
      const std::vector<double> &x = _newton_update;

      const unsigned n = _n;
      double largest = 0.0;
      for (unsigned e = 0; e < _continua * n; ++e)
        largest = std::isfinite(x[e]) ? std::max(largest, std::fabs(x[e]))
                                      : std::numeric_limits<double>::infinity();
      _iteration_change = largest;

      for (unsigned i = 0; i < n; ++i)
      {
        _p[i] -= x[i];
        if (_continua > 1)
          _p_m[i] -= x[n + i];
        if (_continua > 2)
          _c_k[i] -= x[2 * n + i];
      }
      if (!_rate_control)
        return false;

      _p_wf -= x[_continua * n];
      const double limit = _model.schedule_first_value[row];
      if (!(_p_wf < limit))
        return false;

      // The well cannot hold the rate above its pressure limit: from here on this row
      // produces at the limit, starting again from the step's initial state.
      _p_wf = limit;
      _model.schedule_mode[row] = "BHP";
      _prepare_control(row);
      _p = _p_old;
      if (_continua > 1)
        _p_m = _p_m_old;
      if (_continua > 2)
        _c_k = _c_k_old;
      return true;
    }

    // Extreme but readable models (a rock compressibility of several 1/psi, tables that
    // flatten out) can leave the Newton system singular or not finite: that is the user's
    // model failing, reported as such, not a fault of the program.
    bool OneDimSolver::_solve_and_update_or_refuse(unsigned row)
    {
      try
      {
        return _solve_and_update(row);
      }
      catch (const StandardExceptions::ExcMessage &failure)
      {
        std::ostringstream text;
        text << "\nERROR: The Newton system of the pressure solution cannot be solved at "
             << _time << " days: ";
        failure.write_details(text);
        text << "Check the PVT and rock tables and the well data.\n";
        throw InputError(text.str());
      }
    }

    // (D2) Newton iterations of one internal step; returns the iteration count (50 when the
    // step was accepted unconverged after 49 solves)
    int OneDimSolver::_iterate(unsigned row)
    {
      int it = 1;
      while (it < newton_iteration_limit)
      {
        _assemble();
        // A switch to BHP control computes the same step again from its start.
        if (_solve_and_update_or_refuse(row))
        {
          it = 1;
          continue;
        }
        if (_iteration_change < converged_pressure_change)
          break;
        ++it;
      }
      return it;
    }

    // (F) the rates at the end of an internal step, added up over the report interval, and the
    // new start-of-step state
    void OneDimSolver::_complete_internal_step(unsigned s, int iterations, std::ostream &warnings)
    {
      ++_internal_step_count;
      _warn_if_unconverged(s, iterations, warnings);
      double mt0 = 1.0;
      if (_model.rockcomp)
      {
        mt0 = transmissibility_multiplier(_p[0]);
        if (_model.irrevers)
          mt0 = std::min(mt0, _mt_old[0]);
      }
      const double surface_unit = _gas_flows() ? scf_per_mscf : cubic_feet_per_barrel;
      IntervalProduction &interval = _interval;
      ++interval.steps;
      interval.iterations = std::max(interval.iterations, iterations);
      interval.rate.add(_dt, _model.kr / (_b[0] * _mu[0]) * mt0 * _well_index * (_p[0] - _p_wf) / surface_unit);
      if (_model.dualporo)
        interval.transfer_rate.add(_dt, _q_trans / Z / surface_unit);
      if (_model.kerogen)
        interval.diffusion_rate.add(_dt, _q_diff / scf_per_mscf);
      _check_physical_range(s);
      _keep_as_old_state();
    }

    // Report s: the mean rates over its interval (the rates themselves after a single step),
    // the cumulative production, the well pressure and the pressure profile
    void OneDimSolver::_record_report(unsigned s)
    {
      const IntervalProduction &interval = _interval;
      const double length = _time_step[s];
      _rate[s]       = interval.rate.mean(interval.steps, length);
      _cumulative[s] = (s == 0 ? 0.0 : _cumulative[s - 1]) + interval.rate.volume;
      if (_model.dualporo)
        _transfer_rate[s] = interval.transfer_rate.mean(interval.steps, length);
      if (_model.kerogen)
        _diffusion_rate[s] = interval.diffusion_rate.mean(interval.steps, length);
      _iterations[s] = interval.iterations;
      _bhp[s] = _p_wf;
      _pressure_profile[s] = _p;
      _interval = IntervalProduction();
    }

    void OneDimSolver::_keep_as_old_state()
    {
      _p_old = _p;
      _b_old = _b;
      _mt_old = _mt;
      _dmt_old = _dmt;
      _m_old = _m;
      _dm_old = _dm;
      if (_model.dualporo)
      {
        _p_m_old = _p_m;
        _b_m_old = _b_m;
      }
      if (_model.kerogen)
        _c_k_old = _c_k;
    }

    void OneDimSolver::solve(std::ostream &warnings)
    {
      _initialise_solve();
      _unconverged_step_count = 0;
      _internal_step_count    = 0;
      const bool refined = _model.tau_grid == PressureModel::TauGrid::refined;

      // (D) each schedule row under its control; each report time is reached by one step, or
      // with TAUGRID REFINED by internal steps that start small at every change of control
      unsigned s    = 0;
      double   time = 0.0;  // end of the last completed step, days
      for (unsigned row = 0; row < _model.schedule_time.size(); ++row)
      {
        _prepare_control(row);
        const double control_start = time;
        for (int step = 0; step < _model.schedule_step_count[row]; ++step, ++s)
        {
          const double report_time = _report_times[s];
          while (time < report_time)
          {
            _time = refined ? next_internal_time(time, control_start, report_time) : report_time;
            _dt   = _time - time;
            _complete_internal_step(s, _iterate(row), warnings);
            time = _time;
          }
          _record_report(s);
        }
      }
    }
  } // namespace quill
} // namespace orr
