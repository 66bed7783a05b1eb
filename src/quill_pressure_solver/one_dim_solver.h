#ifndef ORR_QUILL_ONE_DIM_SOLVER_H
#define ORR_QUILL_ONE_DIM_SOLVER_H

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "sparse_jacobian.h"

namespace orr
{
  namespace quill
  {
    /**
     * Everything the pressure-model section of the deck says: option flags, scalars, tables and
     * the production schedule. Filled by `OneDimSolver::read_pressure_model`; the defaults are
     * those a deck gets for every keyword it leaves out.
     */
    struct PressureModel
    {
      // Option flags, one per option keyword.
      bool rptpre      = false;
      bool oil         = false;
      bool water       = false;
      bool gas         = false;
      bool vapoil      = false;
      bool disgas      = false;
      bool rockcomp    = false;
      bool irrevers    = false;
      bool dualporo    = false;
      bool adsorb      = false;
      bool kerogen     = false;
      bool klinkenberg = false;
      bool transhape   = false;

      double temperature                    = 0.0; // degrees Rankine
      double initial_pressure               = 0.0; // psia
      double kr                             = 1.0; // fracture relative permeability
      double krm                            = 1.0; // matrix relative permeability
      double oil_density                    = 50.0;
      double water_density                  = 62.9549;
      double gas_density                    = 0.0426;
      double matrix_reference_pressure      = 0.0; // psia
      double matrix_compressibility         = 0.0; // 1/psi
      double matrix_permeability            = 0.0; // md
      double matrix_porosity                = 0.0;
      double sigma                          = 0.0; // matrix-fracture shape factor
      double sigmamk                        = 0.0; // matrix-kerogen shape factor
      double langmuir_pressure              = 0.0; // psia
      double langmuir_volume                = 0.0; // gas per bulk volume
      double kerogen_diffusion_coefficient  = 0.0;
      double well_radius                    = 0.5; // ft
      double skin                           = 0.0;
      double swl                            = 0.0;
      double swlm                           = 0.0;
      double pore_radius                    = 0.0; // m
      double alpha                          = 0.0;
      double tortuosity                     = 0.0;
      double rock_reference_pressure        = 0.0; // psia
      double rock_compressibility           = 0.0; // 1/psi

      int ntau          = 0;
      int map_frequency = 100;

      // TAUGRID: UNIFORM keeps the six near-well nodes from the well-block radius, the uniform
      // guide grid and one time step per report; REFINED grids the radius geometrically from
      // the wellbore, lets the guide spacing grow from there, and steps between reports.
      enum class TauGrid
      {
        uniform,
        refined
      };
      TauGrid tau_grid = TauGrid::uniform;

      // WCONPROD rows: end time (days), mode, first value (BHP or BHP limit, psia), second value
      // (target rate after conversion: scf/d for GRAT, ft3/d for ORAT), number of report steps.
      std::vector<double>      schedule_time;
      std::vector<std::string> schedule_mode;
      std::vector<double>      schedule_first_value;
      std::vector<double>      schedule_second_value;
      std::vector<int>         schedule_step_count;

      // ROCKTAB
      std::vector<double> rock_pressure;
      std::vector<double> rock_pore_volume_multiplier;
      std::vector<double> rock_transmissibility_multiplier;

      // COMPONENT
      std::vector<double> component_mole_fraction;
      std::vector<double> component_molecular_weight;

      // Saturation tables, kept but not used by the flow: SWOF, SGOF, SGWF, SWFN, SGFN, SOF3.
      std::vector<std::vector<double>> swof, sgof, sgwf, swfn, sgfn, sof3;

      // PVTW: reference pressure, Bw, cw, muw, viscosibility.
      std::vector<std::vector<double>> pvtw;

      std::vector<double> rv; // PVTG, ft3/scf
      std::vector<double> rs; // PVTO

      // Gas table (PVDG or PVTG), Bg in ft3/scf.
      std::vector<double> gas_pressure, gas_b, gas_mu, gas_inverse_b, gas_inverse_mu_b;
      // Oil table (PVDO or PVTO).
      std::vector<double> oil_pressure, oil_b, oil_mu, oil_inverse_b, oil_inverse_mu_b;
    };

    /**
     * The pressure solution along tau: the reservoir collapsed into a one-dimensional column of
     * cells ordered by the diffusive time of flight, with the producing well at cell 0, solved
     * fully implicitly with Newton iterations over the production schedule.
     *
     * Lifecycle: read_pressure_model -> compute_initial_properties -> set_well_data ->
     * setup_grid -> solve -> write_reports / write_pressure_maps.
     * All quantities are in field units (psia, days, ft, ft3, md, cp).
     */
    class OneDimSolver
    {
    public:
      OneDimSolver() = default;
      virtual ~OneDimSolver() = default;

      /**
       * Reads the pressure-model section (everything after SIMULATION, or the included file)
       * up to END or the end of the stream, then checks the combination of options.
       * Throws orr::InputError with the user's text at the first error.
       */
      void read_pressure_model(std::istream &section);

      /**
       * Initial formation volume factor, viscosity and total compressibility at the initial
       * pressure. Throws orr::InputError if the total compressibility is not positive.
       */
      void compute_initial_properties();
      double get_initial_viscosity() const;              // cp
      double get_initial_total_compressibility() const;  // 1/psi

      /**
       * Stores the completion sums of the deck reader: completion_radius is the thickness-weighted
       * equivalent well-block radius (ft), sum_kh in md.ft, sum_phih and sum_h in ft.
       */
      void set_well_data(double completion_radius, double sum_kh, double sum_phih, double sum_h,
                         unsigned completion_count);

      /**
       * Builds the one-dimensional grid from fast marching: tau_list, pore_volume_list and
       * bulk_volume_list per acceptance (in acceptance order, cumulative volumes in ft3),
       * cell_tau per grid cell (kept for the pressure maps). Entries of infinite tau are left
       * out. Throws orr::InputError when the near-well grid cannot be built.
       */
      void setup_grid(const std::vector<double> &tau_list,
                      const std::vector<double> &pore_volume_list,
                      const std::vector<double> &bulk_volume_list,
                      std::vector<double>        cell_tau);

      /**
       * Steps through the schedule: one step per report time, or with TAUGRID REFINED internal
       * steps between them (the rates recorded are then the means over each report interval).
       * A step still not converged after 49 solves is accepted, and a line "Warning: step <s>
       * (day <t>) did not converge in 49 iterations; its results are approximate." goes to
       * `warnings` (s the report step counted from 1, t the end of the step).
       * Throws orr::InputError when a Newton system cannot be solved (singular, or not finite)
       * or a step leaves the physical range: a pressure below zero or above 10 times the
       * largest initial or table pressure, or a negative rate under rate control.
       */
      void solve(std::ostream &warnings = std::cerr);

      /** How many steps (internal steps) of the last solve were accepted unconverged. */
      unsigned get_unconverged_step_count() const { return _unconverged_step_count; }

      /**
       * Writes "Warning: <u> of <N> steps did not converge in 49 iterations; their results are
       * approximate." to `warnings` when the last solve accepted u > 0 steps unconverged;
       * nothing otherwise.
       */
      void report_unconverged_steps(std::ostream &warnings) const;

      /** Writes stem + "_RSM.csv", "_BHP", "_Cum" and, last, "_RATE". */
      void write_reports(const std::string &stem) const;

      /** Writes stem + "_PRESSURE_<k>.grdecl" when RPTPRE was given; does nothing otherwise. */
      void write_pressure_maps(const std::string &stem) const;

      /**
       * Piecewise-linear lookup of value in the table (x ascending, y), flat beyond both ends.
       * A one-row table is constant. Throws ExcIo when the table is empty or not ascending.
       */
      static double interpolate(const std::vector<double> &x, const std::vector<double> &y,
                                double value);
      static std::vector<double> interpolate(const std::vector<double> &x,
                                             const std::vector<double> &y,
                                             std::vector<double> values);

      // Fluid and rock properties of the flowing phase (gas with GAS, else oil) at pressure p.
      double formation_volume_factor(double p) const;
      double viscosity(double p) const;
      double formation_volume_factor_derivative(double p) const;
      double viscosity_derivative(double p) const;

      /** The four above at once, from four table lookups instead of nine: the Newton loop's form. */
      struct FlowingPhase
      {
        double formation_volume_factor;
        double viscosity;
        double formation_volume_factor_derivative;
        double viscosity_derivative;
      };
      FlowingPhase flowing_phase(double p) const;
      double pore_volume_multiplier(double p) const;
      double pore_volume_multiplier_derivative(double p) const;
      double transmissibility_multiplier(double p) const;
      double transmissibility_multiplier_derivative(double p) const;
      double langmuir_concentration(double p) const;
      double langmuir_concentration_derivative(double p) const;
      double apparent_matrix_permeability(double p) const;  // md
      double apparent_matrix_permeability_derivative(double p) const;

      // What was read, what the setup derived, and what the solve recorded.
      const PressureModel &model() const { return _model; }
      double get_well_index() const { return _well_index; }
      double get_tau_wb() const { return _tau_wb; }
      const std::vector<double> &get_tau_nodes() const { return _tau_nodes; }
      const std::vector<double> &get_node_pore_volumes() const { return _node_pore_volume; }
      const std::vector<double> &get_node_bulk_volumes() const { return _node_bulk_volume; }
      const std::vector<double> &get_report_times() const { return _report_times; }
      const std::vector<double> &get_rates() const { return _rate; }
      const std::vector<double> &get_cumulative() const { return _cumulative; }
      const std::vector<double> &get_bottom_hole_pressures() const { return _bhp; }
      const std::vector<double> &get_transfer_rates() const { return _transfer_rate; }
      const std::vector<double> &get_diffusion_rates() const { return _diffusion_rate; }
      const std::vector<int> &get_iterations() const { return _iterations; }
      const std::vector<std::vector<double>> &get_pressure_profiles() const
      {
        return _pressure_profile;
      }
      /** The map numbers written for the report times of the schedule (1-based). */
      std::vector<unsigned> map_numbers() const;
      /**
       * The bytes the pressure maps of the schedule will take on a grid of cell_count cells,
       * a little more than they usually do; 0 without RPTPRE.
       */
      std::uint64_t estimated_pressure_map_bytes(std::uint64_t cell_count) const;
      /** The suffixes of the files that write_reports and write_pressure_maps write. */
      std::vector<std::string> report_suffixes() const;
      /**
       * The map numbers a run of step_count steps writes with FREQ=map_frequency: every
       * map_frequency-th step from the first, and always the last (1-based).
       */
      static std::vector<unsigned> map_numbers(std::size_t step_count, int map_frequency);

    private:
      // The unit tests check the Newton system against a finite difference of its residual.
      friend class OneDimSolverTestAccess;

      // Reader: one keyword's data (pressure_model_reader.cpp).
      void _read_table(std::istream &in, const std::string &keyword, unsigned columns,
                       std::vector<std::vector<double>> &rows);
      void _read_schedule(std::istream &in);
      void _check_schedule_mode(const std::string &mode) const;
      void _check_pressure_model() const;
      void _build_report_times();  // report_times.cpp

      // Grid set-up (tau_grid_setup.cpp): a node at radius d tau of a homogeneous cylinder;
      // the refined nodes from the wellbore (returns their radius ratio) and the well index
      // of the first cell's coupling to the sandface.
      void _add_radial_node(double tau, double d);
      double _add_sandface_nodes(double d);
      double _sandface_well_index() const;
      void _add_junction_nodes(std::size_t junction, double ratio);

      // Derived property helpers (fluid_properties.cpp).
      bool _gas_flows() const { return _model.gas; }
      /** 1 / (mu B) of the flowing phase, as its table holds it. */
      double _inverse_mu_b(double p) const;
      double _rock_multiplier(double p) const;
      double _matrix_multiplier(double p) const;

      // Solve (newton_solve.cpp, newton_assembly.cpp).
      void _initialise_solve();
      void _prepare_control(unsigned row);
      void _update_properties();
      void _assemble();
      bool _solve_and_update(unsigned row);
      bool _solve_and_update_or_refuse(unsigned row);
      int _iterate(unsigned row);
      void _complete_internal_step(unsigned step, int iterations, std::ostream &warnings);
      void _record_report(unsigned step);
      /** The state of the time level just reached becomes the old state of the next step. */
      void _keep_as_old_state();
      // What a completed step must satisfy (step_checks.cpp).
      void _warn_if_unconverged(unsigned step, int iterations, std::ostream &warnings);
      double _largest_physical_pressure() const;
      void _check_physical_range(unsigned step) const;

      PressureModel _model;

      // Initial properties.
      double _mu_i = 1.79769e+308;
      double _ct_i = 1.79769e+308;
      double _b_i  = 0.0;

      // Well data and setup.
      double   _completion_radius = 0.0;
      double   _sum_kh            = 0.0;
      double   _sum_phih          = 0.0;
      double   _sum_h             = 0.0;
      unsigned _completion_count  = 0;
      double   _tau_wb            = 0.0;
      double   _well_index        = 0.0;
      unsigned _n                 = 0;

      std::vector<double> _cell_tau;
      std::vector<double> _tau_nodes, _node_pore_volume, _node_bulk_volume;
      std::vector<double> _pore_volume, _bulk_volume, _cell_centre_tau;
      std::vector<double> _interface_coefficient;  // T_k couples cells k-1 and k

      // Solve state.
      unsigned _continua    = 1;
      bool     _rate_control = false;
      double   _target_rate = 0.0;
      double   _p_wf        = 0.0;
      double   _q_trans     = 0.0;
      double   _q_diff      = 0.0;
      double   _dt          = 0.0;   // length of the internal step being solved, days
      double   _time        = 0.0;   // its end, days
      double   _iteration_change = 0.0;  // largest |update| of the last Newton iteration

      std::vector<double> _p, _p_old, _p_m, _p_m_old, _c_k, _c_k_old;
      std::vector<double> _b, _mu, _db, _dmu, _b_old;
      std::vector<double> _b_m, _mu_m, _db_m, _dmu_m, _b_m_old;
      std::vector<double> _mt, _dmt, _mt_old, _dmt_old;
      std::vector<double> _m, _dm, _m_old, _dm_old;

      // The pattern changes only with the well's control mode: its analysis is kept and
      // only the values are factorised again at each Newton iteration.
      SparseJacobian      _jacobian;
      std::vector<double> _residual;
      std::vector<double> _newton_update;  // the solution x of J x = R; the update is -x

      /** A rate over the internal steps of one report interval. */
      struct IntervalRate
      {
        double volume = 0.0;  // its integral over the steps taken so far
        double last   = 0.0;  // at the end of the last step

        void add(double dt, double rate)
        {
          volume += dt * rate;
          last = rate;
        }
        /** The mean over an interval of `length` days; after a single step, the rate itself. */
        double mean(unsigned steps, double length) const { return steps == 1 ? last : volume / length; }
      };
      /** What the internal steps since the last report produced. */
      struct IntervalProduction
      {
        unsigned     steps      = 0;
        int          iterations = 0;  // the most any step took
        IntervalRate rate, transfer_rate, diffusion_rate;
      };
      IntervalProduction _interval;

      // Records per report step.
      std::vector<double>              _report_times, _time_step;
      std::vector<double>              _rate, _cumulative, _bhp, _transfer_rate, _diffusion_rate;
      std::vector<int>                 _iterations;
      std::vector<std::vector<double>> _pressure_profile;
      unsigned                         _unconverged_step_count = 0;
      unsigned                         _internal_step_count    = 0;
    };
  } // namespace quill
} // namespace orr

#endif
