// Cost of the pressure stage:
//  (1) with three continua (DUALPORO and KEROGEN), its seconds and seconds per Newton
//      iteration for several NTAU, on the tau lists of one march of an n^3 box (default 50^3;
//      NTAU 200, 2000 and 20000);
//  (2) a whole run of quill on a larger box (default 160^3) with the default NTAU: the
//      pressure stage against the fast marching stage, from quill's timing lines;
//  (3) dead oil in one continuum on a 51 x 51 x 5 box (13005 cells) at constant bottom-hole
//      pressure, 40 and 391 reports: the pressure stage against the march, both in this
//      process, alternating, median of 5.
//
//   pressure_bench [--quill PATH] [--grid n] [--run-grid n] [--repeats n] [NTAU ...]

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <exception>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "benchmark_deck.h"
#include "completion_summary.h"
#include "count_argument.h"
#include "input_error.h"
#include "oil_model.h"
#include "one_dim_solver.h"
#include "quill_run.h"
#include "reservoir_march.h"
#include "scratch_directory.h"
#include "shale_gas_model.h"
#include "stage_timer.h"
#include "synthetic_reservoir.h"

namespace
{
  using orr::bench::SyntheticReservoir;
  using orr::quill::OneDimSolver;

  struct Arguments
  {
    std::string      quill    = QUILL_PROGRAM;
    unsigned         grid     = 50;
    unsigned         run_grid = 160;
    unsigned         repeats  = 5;
    std::vector<int> ntau;
  };

  [[noreturn]] void usage(const char *program)
  {
    std::fprintf(stderr, "usage: %s [--quill PATH] [--grid n] [--run-grid n] [--repeats n] [NTAU ...]\n"
                         "  (defaults: --grid 50 --run-grid 160 --repeats 5, NTAU 200 2000 20000;\n"
                         "   n >= 2, NTAU >= 2, repeats >= 1)\n",
                 program);
    std::exit(1);
  }

  unsigned read_count(const char *text, const char *program)
  {
    const std::optional<unsigned> count = orr::bench::read_count_argument(text, 2);
    if (!count)
      usage(program);
    return *count;
  }

  Arguments read_arguments(const int argc, char **argv)
  {
    Arguments arguments;
    for (int a = 1; a < argc; ++a)
      {
        const std::string argument = argv[a];
        if (argument == "--quill" && a + 1 < argc)
          arguments.quill = argv[++a];
        else if (argument == "--grid" && a + 1 < argc)
          arguments.grid = read_count(argv[++a], argv[0]);
        else if (argument == "--run-grid" && a + 1 < argc)
          arguments.run_grid = read_count(argv[++a], argv[0]);
        else if (argument == "--repeats" && a + 1 < argc)
          {
            const std::optional<unsigned> repeats = orr::bench::read_count_argument(argv[++a], 1);
            if (!repeats)
              usage(argv[0]);
            arguments.repeats = *repeats;
          }
        else
          arguments.ntau.push_back(static_cast<int>(read_count(argv[a], argv[0])));
      }
    if (arguments.ntau.empty())
      arguments.ntau = {200, 2000, 20000};
    return arguments;
  }

  /** What the march hands to the pressure stage, and the well sums of the deck reader. */
  struct MarchedReservoir
  {
    std::vector<double>              tau_list, pore_volume_list, bulk_volume_list, cell_tau;
    orr::quill::CompletionSums       sums;
    std::uint32_t                    completion_count = 0;
  };

  /** A pressure solver that read the pressure-model section `model`, at its initial state. */
  void read_model(OneDimSolver &solver, const std::string &model)
  {
    std::istringstream section(model);
    solver.read_pressure_model(section);
    solver.compute_initial_properties();
  }

  /** A pressure solver that read the shale gas model with `ntau`, at its initial state. */
  void read_model(OneDimSolver &solver, const int ntau)
  {
    read_model(solver, orr::bench::shale_gas_model(ntau));
  }

  /**
   * Marches `reservoir` with the fluid of the pressure-model section `model`, as a run of
   * quill does; the march alone (initialize and march) takes `march_cpu_seconds`.
   */
  MarchedReservoir march(const SyntheticReservoir &reservoir, const std::string &model,
                         double &march_cpu_seconds)
  {
    OneDimSolver fluid;
    read_model(fluid, model);

    const auto system = orr::bench::build_system(reservoir);
    orr::bench::CountingGridSolver solver;
    solver.set_initial_total_compressibility(fluid.get_initial_total_compressibility());
    solver.set_initial_viscosity(fluid.get_initial_viscosity());
    orr::bench::prepare_march(solver, *system, reservoir);
    const orr::bench::StageTimer timer;
    solver.initialize();
    solver.march();
    march_cpu_seconds = timer.cpu_seconds();

    MarchedReservoir marched;
    marched.tau_list         = solver.get_tau_list();
    marched.pore_volume_list = solver.get_pore_volume_list();
    marched.bulk_volume_list = solver.get_bulk_volume_list();
    marched.cell_tau         = solver.get_cell_tau();
    marched.sums =
      orr::quill::summarise_completions(reservoir.completions, *system->get_unit_grid(0), solver).sums;
    marched.completion_count = static_cast<std::uint32_t>(reservoir.completions.size());
    return marched;
  }

  /** The pressure stage as quill runs it: grid setup, solve, reports and maps under `stem`. */
  void solve_pressure(OneDimSolver &solver, const MarchedReservoir &marched, const std::string &stem)
  {
    solver.setup_grid(marched.tau_list, marched.pore_volume_list, marched.bulk_volume_list, marched.cell_tau);
    solver.solve();
    solver.write_reports(stem);
    solver.write_pressure_maps(stem);
  }

  /** (1): the pressure stage as quill runs it (grid setup, solve, reports) for each NTAU. */
  void benchmark_ntau(const Arguments &arguments, const std::string &directory)
  {
    double                 march_cpu_seconds = 0.0;
    const MarchedReservoir marched =
      march(orr::bench::make_synthetic_reservoir(arguments.grid), orr::bench::shale_gas_model(0), march_cpu_seconds);
    std::printf("(1) Pressure stage, three continua, on the tau lists of a %u^3 march (%zu accepted cells)\n\n",
                arguments.grid, marched.tau_list.size());
    std::printf("%7s %9s %10s %9s %9s %11s %14s %18s\n", "NTAU", "1-D cells", "unknowns", "wall s", "cpu s",
                "iterations", "ms/iteration", "us/iteration/cell");
    for (const int ntau : arguments.ntau)
      {
        OneDimSolver solver;
        read_model(solver, ntau);
        solver.set_well_data(marched.sums.mean_radius(), marched.sums.sum_kh, marched.sums.sum_phih,
                             marched.sums.sum_h, marched.completion_count);

        const orr::bench::StageTimer timer;
        solve_pressure(solver, marched, directory + "ntau" + std::to_string(ntau));
        const double cpu_seconds = timer.cpu_seconds();
        const double seconds     = timer.wall_seconds();

        const std::vector<int> &iterations = solver.get_iterations();
        const int    total = std::accumulate(iterations.begin(), iterations.end(), 0);
        const auto   cells = solver.get_tau_nodes().size() - 1;
        const double per   = cpu_seconds / total;
        std::printf("%7d %9zu %10zu %9.3f %9.3f %11d %14.3f %18.3f\n", ntau, cells, 3 * cells, seconds, cpu_seconds,
                    total, 1e3 * per, 1e6 * per / static_cast<double>(cells));
        std::fflush(stdout);
      }
    std::printf("\nPer iteration: CPU time of the stage over all its Newton iterations (the machine may be shared).\n");
    std::printf("Target: the time per iteration grows no faster than linearly with the cell count.\n\n");
  }

  /** (2): a whole run of quill with the default NTAU; its pressure stage against its march. */
  void benchmark_full_run(const Arguments &arguments, const std::string &directory)
  {
    const unsigned    n    = arguments.run_grid;
    const std::string root = "run" + std::to_string(n);
    {
      const SyntheticReservoir reservoir = orr::bench::make_synthetic_reservoir(n);
      orr::bench::write_property_files(directory, root, reservoir);
      orr::bench::write_deck(directory, root, root, reservoir,
                             orr::bench::DeckOptions{false, orr::bench::shale_gas_model(0)});
    }
    const orr::bench::QuillRun run = orr::bench::run_quill(arguments.quill, directory, root);
    std::printf("(2) quill on a %u^3 box with the default NTAU, first order (%zu recorded cells)\n\n", n,
                run.recorded_cells);
    std::printf("    fast marching stage  %9.3f s\n", run.march_seconds);
    std::printf("    pressure stage       %9.3f s\n", run.pressure_seconds);
    std::printf("    pressure / marching  %9.3f   (target: below 0.1)\n", run.pressure_seconds / run.march_seconds);
    std::printf("    whole run            %9.3f s, peak resident memory %.1f bytes/cell\n", run.usage.seconds,
                static_cast<double>(run.usage.peak_resident_bytes) / (static_cast<double>(n) * n * n));
  }
  double median(std::vector<double> values)
  {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }

  /** (3): the oil deck, pressure stage against march, for each report count. */
  void benchmark_oil_deck(const unsigned repeats, const std::string &directory)
  {
    const SyntheticReservoir reservoir = orr::bench::make_synthetic_reservoir(51, 51, 5);
    std::printf("(3) Dead oil at constant bottom-hole pressure on a 51 x 51 x 5 box (%u cells): CPU seconds\n"
                "    of the march and of the pressure stage, alternating in this process, median of %u\n\n",
                reservoir.number_of_cells(), repeats);
    std::printf("%9s %11s %9s %12s %18s\n", "reports", "iterations", "march s", "pressure s", "pressure / march");
    for (const int reports : {40, 391})
      {
        const std::string   model = orr::bench::oil_model(reports);
        std::vector<double> march_seconds, pressure_seconds, ratios;
        int                 iterations = 0;
        for (unsigned repeat = 0; repeat < repeats; ++repeat)
          {
            double                 march_cpu_seconds = 0.0;
            const MarchedReservoir marched           = march(reservoir, model, march_cpu_seconds);
            OneDimSolver           solver;
            read_model(solver, model);
            solver.set_well_data(marched.sums.mean_radius(), marched.sums.sum_kh, marched.sums.sum_phih,
                                 marched.sums.sum_h, marched.completion_count);
            const orr::bench::StageTimer timer;
            solve_pressure(solver, marched, directory + "oil" + std::to_string(reports));
            const double pressure_cpu_seconds = timer.cpu_seconds();

            march_seconds.push_back(march_cpu_seconds);
            pressure_seconds.push_back(pressure_cpu_seconds);
            ratios.push_back(pressure_cpu_seconds / march_cpu_seconds);
            const std::vector<int> &counts = solver.get_iterations();
            iterations = std::accumulate(counts.begin(), counts.end(), 0);
          }
        std::printf("%9d %11d %9.4f %12.4f %18.2f\n", reports, iterations, median(march_seconds),
                    median(pressure_seconds), median(ratios));
        std::fflush(stdout);
      }
    std::printf("\nTarget: the pressure stage at most 3 times the march.\n\n");
  }
} // namespace

int main(int argc, char **argv)
{
  const Arguments arguments = read_arguments(argc, argv);
  try
    {
      const orr::bench::ScratchDirectory scratch;
      benchmark_ntau(arguments, scratch.path());
      benchmark_oil_deck(arguments.repeats, scratch.path());
      benchmark_full_run(arguments, scratch.path());
    }
  catch (const orr::InputError &error)
    {
      std::fprintf(stderr, "pressure_bench: the benchmark model was refused:%s", error.what());
      return 1;
    }
  catch (const std::exception &error)
    {
      std::fprintf(stderr, "pressure_bench: %s\n", error.what());
      return 1;
    }
  return 0;
}
