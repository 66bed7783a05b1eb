// Fuzzes the pressure-model section reader and, for every section it accepts with a short
// schedule, the tau grid setup and the Newton solve on a small hand-made radial reservoir, so
// that odd but accepted models reach the solver too.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "input_error.h"
#include "one_dim_solver.h"

namespace
{
  // Solving longer schedules only repeats the same steps and slows the fuzzing down.
  constexpr int MAX_SOLVED_STEPS = 12;

  // One 50 x 50 x 20 ft well block of porosity 0.1 and 5 md, then 16 rings out to 800 ft,
  // accepted at the tau of the equivalent radial reservoir.
  constexpr double PI        = 3.14159265358979323846;
  constexpr double THICKNESS = 20.0;
  constexpr double POROSITY  = 0.1;
  constexpr double PERMEABILITY = 5.0;
  constexpr double BLOCK_SIZE = 50.0;
  constexpr double OUTER_RADIUS = 800.0;
  constexpr unsigned RINGS = 16;

  void solve_radial_reservoir(orr::quill::OneDimSolver &solver)
  {
    solver.set_well_data(0.2 * BLOCK_SIZE, PERMEABILITY * THICKNESS, POROSITY * THICKNESS,
                         THICKNESS, 1);
    const double d = std::sqrt(PERMEABILITY / POROSITY / solver.get_initial_viscosity()
                               / solver.get_initial_total_compressibility());
    const double block_bulk   = BLOCK_SIZE * BLOCK_SIZE * THICKNESS;
    const double block_radius = std::sqrt(block_bulk / THICKNESS / PI);
    std::vector<double> tau{0.0}, bulk{block_bulk}, pore{POROSITY * block_bulk};
    for (unsigned ring = 1; ring <= RINGS; ++ring)
      {
        const double r = block_radius + (OUTER_RADIUS - block_radius) * ring / RINGS;
        tau.push_back(r / d);
        bulk.push_back(THICKNESS * PI * r * r);
        pore.push_back(POROSITY * bulk.back());
      }
    solver.setup_grid(tau, pore, bulk, tau);
    solver.solve();
  }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
  std::istringstream section(std::string(reinterpret_cast<const char *>(data), size));
  orr::quill::OneDimSolver solver;
  try
    {
      solver.read_pressure_model(section);
      solver.compute_initial_properties();
      const std::vector<int> &steps = solver.model().schedule_step_count;
      long total_steps = 0;
      for (int count : steps)
        total_steps += count > 0 ? count : 0;
      if (total_steps <= MAX_SOLVED_STEPS)
        solve_radial_reservoir(solver);
    }
  catch (const orr::InputError &)
    {
    }
  return 0;
}
