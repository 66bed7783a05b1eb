#include "pressure_test_decks.h"

#include <cmath>
#include <sstream>

#include "input_error.h"

namespace orr
{
  namespace testing
  {
    namespace
    {
      constexpr double pi = 3.14159265358979323846;

      const char *const gas_pvt = "GAS\n"
                                  "PRESSURE\n5000\n"
                                  "SWL\n0.2\n"
                                  "PVDG\n"
                                  "500  6.0   0.0130\n"
                                  "1500 1.9   0.0150\n"
                                  "2500 1.1   0.0180\n"
                                  "3500 0.80  0.0210\n"
                                  "4500 0.65  0.0240\n"
                                  "5500 0.56  0.0270\n"
                                  "/\n";
    } // namespace

    quill::OneDimSolver solver_from(const std::string &section)
    {
      std::istringstream  in(section);
      quill::OneDimSolver solver;
      solver.read_pressure_model(in);
      return solver;
    }

    std::string reader_error(const std::string &section)
    {
      try
      {
        solver_from(section);
      }
      catch (const InputError &error)
      {
        return error.what();
      }
      return "";
    }

    RadialAcceptance radial_acceptance(double d, double h, double phi, double dx,
                                       double outer_radius, unsigned entries)
    {
      RadialAcceptance lists;
      const double     block_bulk   = dx * dx * h;
      const double     block_radius = std::sqrt(block_bulk / h / pi);
      lists.tau.push_back(0.0);
      lists.bulk_volume.push_back(block_bulk);
      lists.pore_volume.push_back(phi * block_bulk);
      for (unsigned a = 1; a <= entries; ++a)
      {
        const double r = block_radius + (outer_radius - block_radius) * a / entries;
        lists.tau.push_back(r / d);
        lists.bulk_volume.push_back(h * pi * r * r);
        lists.pore_volume.push_back(phi * h * pi * r * r);
      }
      lists.cell_tau = lists.tau;
      return lists;
    }

    quill::OneDimSolver radial_gas_solver(const std::string &options_and_schedule, unsigned entries)
    {
      quill::OneDimSolver solver = solver_from(std::string(gas_pvt) + options_and_schedule);
      solver.compute_initial_properties();
      const double h = 50.0, phi = 0.1, k = 1.0, dx = 50.0;
      solver.set_well_data(0.2 * dx, k * h, phi * h, h, 1);
      const double d = std::sqrt(k * h / (phi * h) / solver.get_initial_viscosity()
                                 / solver.get_initial_total_compressibility());
      const RadialAcceptance lists = radial_acceptance(d, h, phi, dx, 1000.0, entries);
      solver.setup_grid(lists.tau, lists.pore_volume, lists.bulk_volume, lists.cell_tau);
      return solver;
    }
  } // namespace testing
} // namespace orr
