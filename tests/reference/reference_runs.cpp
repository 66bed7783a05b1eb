#include "reference_runs.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "analytic_solutions.h"
#include "input_error.h"
#include "one_dim_solver.h"
#include "simulation.h"

namespace orr
{
  namespace reference
  {
    namespace
    {
      constexpr double pi                 = 3.14159265358979323846;
      constexpr double darcy_constant     = 0.0063283;  // ft3 cp / (md ft psi d)
      constexpr double cell_size          = 40.0;       // ft
      constexpr double layer_thickness    = 10.0;       // ft
      constexpr double permeability       = 1.0;        // md
      constexpr double porosity           = 0.1;
      constexpr double well_radius        = 0.25;       // ft
      constexpr double initial_pressure   = 5000.0;     // psia
      constexpr double held_pressure      = 4500.0;     // psia
      constexpr double lowest_pressure    = 14.7;       // psia, the limit of the rate-held well
      constexpr double end_time           = 1000.0;     // days
      constexpr double first_decade       = 0.01;       // days
      // Rates per 10 ft layer that draw the well down by some 400 to 600 psi in 1000 days.
      constexpr double oil_rate_per_layer = 2.0;        // stb/d
      constexpr double gas_rate_per_layer = 100.0;      // Mscf/d
      constexpr double cubic_feet_per_stb = 5.6145833334;
      constexpr double scf_per_mscf       = 1000.0;
      // The infinite reservoir holds while the image wells add less than this to the line source.
      constexpr double boundary_felt      = 0.005;
      constexpr int    pseudo_pressure_intervals = 200;

      // Oil: 1/Bo falls linearly by 5e-6 per psi below 5000 psia, so that the fluid
      // compressibility is constant; the rock adds as much.
      const char *const oil_model = "OIL\n"
                                    "PRESSURE\n5000\n"
                                    "RCOMP\n5000 0.000005\n"
                                    "PVDO\n"
                                    "1000 1.22449 1.0\n"
                                    "6000 1.19403 1.0\n"
                                    "/\n";

      // Dry gas at 200 F: Bg = 5.04 z T / p rb/Mscf with z = 1 - 2e-5 p + 2.4e-9 p^2, and a
      // viscosity rising linearly with pressure.
      std::string gas_model()
      {
        std::ostringstream model;
        model << "GAS\nPRESSURE\n5000\nPVDG\n";
        for (double p = 500.0; p <= 6000.0; p += 500.0)
        {
          const double z = 1.0 - 2e-5 * p + 2.4e-9 * p * p;
          model << p << ' ' << 5.04 * z * 659.67 / p << ' ' << 0.013 + 2.4e-6 * p << '\n';
        }
        model << "/\n";
        return model.str();
      }

      std::string deck(const ReferenceCase &c)
      {
        const double rate = c.layers * (c.fluid == Fluid::oil ? oil_rate_per_layer : gas_rate_per_layer);
        std::ostringstream text;
        text << "DIMENS\n" << c.side << ' ' << c.side << ' ' << c.layers << '\n'
             << "DX\n" << cell_size << "\nDY\n" << cell_size << "\nDZ\n" << layer_thickness << '\n'
             << "PORO\n" << porosity << "\nPERMX\n" << permeability << "\nCOMPLOC\n";
        for (unsigned k = 1; k <= c.layers; ++k)
          text << c.side / 2 + 1 << ' ' << c.side / 2 + 1 << ' ' << k << '\n';
        text << "/\nSIMULATION\n-- pressure model\n"
             << (c.fluid == Fluid::oil ? std::string(oil_model) : gas_model())
             << "WELLRADIUS\n" << well_radius << "\nTAUGRID\n" << c.tau_grid << "\nWCONPROD\n"
             << end_time << ' ';
        if (c.control == Control::rate)
          text << (c.fluid == Fluid::oil ? "ORAT " : "GRAT ") << lowest_pressure << ' ' << rate;
        else
          text << "BHP " << held_pressure << " 0";
        text << ' ' << c.reports << "\n/\nEND\n";
        return text.str();
      }

      // The integral of 1/(mu B) from p to p_i, by Simpson's rule on the solver's own fluid.
      double pseudo_pressure_drop(const quill::OneDimSolver &fluid, double p)
      {
        const double h = (initial_pressure - p) / pseudo_pressure_intervals;
        auto f = [&fluid](double x) { return 1.0 / (fluid.viscosity(x) * fluid.formation_volume_factor(x)); };
        double sum = f(p) + f(initial_pressure);
        for (int i = 1; i < pseudo_pressure_intervals; ++i)
          sum += (i % 2 == 1 ? 4.0 : 2.0) * f(p + i * h);
        return sum * h / 3.0;
      }

      // The seconds of quill's timing line that begins with `label`.
      double stage_seconds(const std::string &output, const std::string &label)
      {
        const std::size_t line = output.find(label);
        const std::size_t end  = output.find(" seconds.", line);
        if (line == std::string::npos || end == std::string::npos)
          return 0.0;
        // The label is padded with dots to 40 columns; the number follows.
        constexpr std::size_t label_width = 40;
        return std::stod(output.substr(line + label_width, end - line - label_width));
      }

      // The run directed its progress lines into a string, restored on every path.
      class CapturedOutput
      {
      public:
        CapturedOutput() : _out(std::cout.rdbuf(_text.rdbuf())), _err(std::cerr.rdbuf(_text.rdbuf())) {}
        ~CapturedOutput()
        {
          std::cout.rdbuf(_out);
          std::cerr.rdbuf(_err);
        }
        CapturedOutput(const CapturedOutput &) = delete;
        CapturedOutput &operator=(const CapturedOutput &) = delete;
        std::string text() const { return _text.str(); }

      private:
        std::ostringstream _text;
        std::streambuf    *_out;
        std::streambuf    *_err;
      };
    } // namespace

    ReferenceRun run_reference_case(const ReferenceCase &c, const std::string &directory)
    {
      const std::string root = "reference";
      {
        std::ofstream file(directory + root + ".fip");
        file << deck(c);
        if (!file)
          throw std::runtime_error("cannot write the reference deck in " + directory);
      }
      Simulation simulation(directory, root);
      std::string output;
      try
      {
        CapturedOutput captured;
        simulation.read_deck();
        simulation.run();
        output = captured.text();
      }
      catch (const InputError &error)
      {
        throw std::runtime_error(std::string("the reference deck was refused:") + error.what());
      }

      const quill::OneDimSolver &solver = simulation.pressure_solver();
      const double kh  = permeability * layer_thickness * c.layers;
      const double eta = darcy_constant * permeability
                       / (porosity * solver.get_initial_viscosity() * solver.get_initial_total_compressibility());
      const double surface_unit = c.fluid == Fluid::oil ? cubic_feet_per_stb : scf_per_mscf;

      ReferenceRun run;
      run.time   = solver.get_report_times();
      run.side_d = c.side * cell_size / well_radius;
      run.pressure_stage_seconds = stage_seconds(output, "Solving pressure costs ");
      for (std::size_t s = 0; s < run.time.size(); ++s)
      {
        run.t_d.push_back(eta * run.time[s] / (well_radius * well_radius));
        const double q   = solver.get_rates()[s] * surface_unit;  // surface ft3/d or scf/d
        const double dpsi = pseudo_pressure_drop(solver, solver.get_bottom_hole_pressures()[s]);
        const double scale = 2.0 * pi * darcy_constant * kh;
        if (c.control == Control::rate)
          run.pressure_d.push_back(scale * dpsi / q);
        else
          run.rate_d.push_back(q / (scale * dpsi));
      }
      return run;
    }

    std::vector<DecadeError> decade_errors(const ReferenceRun &run, Solution solution)
    {
      const std::size_t count = run.time.size();
      std::size_t       end   = count;  // the first report past the window
      if (solution != Solution::closed_square)
        for (std::size_t s = 0; s < count; ++s)
          if (closed_square_pressure(run.t_d[s], run.side_d) > (1.0 + boundary_felt) * line_source_pressure(run.t_d[s]))
          {
            end = s;
            break;
          }

      std::vector<DecadeError> errors;
      for (double from = first_decade; from < end_time * (1.0 - 1e-9); from *= 10.0)
      {
        DecadeError decade;
        decade.from = from;
        decade.to   = 10.0 * from;
        double sum  = 0.0;
        for (std::size_t s = 0; s < end; ++s)
        {
          // The last report time closes the last decade.
          const double t = run.time[s];
          const bool   inside = t >= from * (1.0 - 1e-9)
                             && (t < decade.to * (1.0 - 1e-9) || (s + 1 == count && t <= decade.to * (1.0 + 1e-9)));
          if (!inside)
            continue;
          double simulated = 0.0, exact = 0.0;
          if (solution == Solution::constant_pressure)
          {
            const double previous = s == 0 ? 0.0 : run.t_d[s - 1];
            simulated = run.rate_d[s];
            exact = (constant_pressure_cumulative(run.t_d[s]) - (s == 0 ? 0.0 : constant_pressure_cumulative(previous)))
                  / (run.t_d[s] - previous);
          }
          else
          {
            simulated = run.pressure_d[s];
            exact = solution == Solution::line_source ? line_source_pressure(run.t_d[s])
                                                      : closed_square_pressure(run.t_d[s], run.side_d);
          }
          const double relative = simulated / exact - 1.0;
          sum += relative * relative;
          ++decade.points;
        }
        if (decade.points > 0)
        {
          decade.rms = std::sqrt(sum / decade.points);
          errors.push_back(decade);
        }
      }
      return errors;
    }

    std::vector<ErrorRow> compare_with_reference_solutions(const std::string &tau_grid, unsigned layers,
                                                           unsigned reports, const std::string &directory)
    {
      struct Comparison
      {
        Fluid    fluid;
        Control  control;
        Solution solution;
      };
      const Comparison comparisons[] = {
        {Fluid::oil, Control::rate, Solution::line_source},
        {Fluid::oil, Control::rate, Solution::closed_square},
        {Fluid::oil, Control::bottom_hole_pressure, Solution::constant_pressure},
        {Fluid::gas, Control::rate, Solution::line_source},
        {Fluid::gas, Control::rate, Solution::closed_square},
        {Fluid::gas, Control::bottom_hole_pressure, Solution::constant_pressure},
      };
      std::vector<ErrorRow> rows;
      for (const Comparison &c : comparisons)
      {
        ReferenceCase reference_case;
        reference_case.fluid    = c.fluid;
        reference_case.control  = c.control;
        reference_case.tau_grid = tau_grid;
        reference_case.layers   = layers;
        reference_case.reports  = reports;
        const ReferenceRun run = run_reference_case(reference_case, directory);
        rows.push_back({tau_grid + ", " + name_of(c.fluid) + ", " + name_of(c.solution), decade_errors(run, c.solution)});
      }
      return rows;
    }

    void print_error_table(std::ostream &out, const std::vector<ErrorRow> &rows)
    {
      out << std::setfill(' ') << std::left << std::setw(40) << "RMS error, % (report times in decade)";
      for (double from = first_decade; from < end_time * (1.0 - 1e-9); from *= 10.0)
      {
        std::ostringstream decade;
        decade << from << '-' << 10.0 * from;
        out << std::right << std::setw(12) << decade.str();
      }
      out << '\n';
      for (const ErrorRow &row : rows)
      {
        out << std::left << std::setw(40) << row.label << std::right << std::fixed << std::setprecision(2);
        std::size_t next = 0;
        for (double from = first_decade; from < end_time * (1.0 - 1e-9); from *= 10.0)
        {
          if (next < row.errors.size() && std::fabs(row.errors[next].from / from - 1.0) < 1e-9)
          {
            std::ostringstream cell;
            cell << std::fixed << std::setprecision(2) << 100.0 * row.errors[next].rms << " (" << row.errors[next].points
                 << ')';
            out << std::setw(12) << cell.str();
            ++next;
          }
          else
            out << std::setw(12) << "-";
        }
        out << std::defaultfloat << '\n';
      }
    }

    std::string name_of(Fluid fluid) { return fluid == Fluid::oil ? "oil" : "gas"; }

    std::string name_of(Solution solution)
    {
      switch (solution)
      {
        case Solution::line_source:
          return "line source";
        case Solution::closed_square:
          return "image wells";
        case Solution::constant_pressure:
          return "van Everdingen-Hurst";
      }
      return "";
    }
  } // namespace reference
} // namespace orr
