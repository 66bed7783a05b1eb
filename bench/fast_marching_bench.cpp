// Speed and memory of fast marching on a heterogeneous n^3 box, for the march alone and for
// a whole run of quill on the same grid written as a deck; and the march against a plain heap
// Dijkstra on the same field, the cost floor of any label-setting method on this grid.
//
//   fast_marching_bench [--quill PATH] [--dijkstra-only] [n ...]      (default sizes: 50 100 160)
//
// --dijkstra-only prints the comparison with the Dijkstra alone, without the speed and memory
// table and the runs of quill.
//
// Every case runs in a child process of its own, so that the peak resident memory printed
// is that case's alone.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "benchmark_deck.h"
#include "child_process.h"
#include "count_argument.h"
#include "heap_dijkstra.h"
#include "quill_run.h"
#include "reservoir_march.h"
#include "scratch_directory.h"
#include "stage_timer.h"
#include "synthetic_reservoir.h"

namespace
{
  using orr::bench::ChildUsage;
  using orr::bench::SyntheticReservoir;

  const std::vector<unsigned> DEFAULT_SIZES = {50, 100, 160};
  /** Rounds of the march and the Dijkstra, alternating, in one process. */
  constexpr unsigned ROUNDS = 5;

  struct Arguments
  {
    std::string           quill = QUILL_PROGRAM;
    bool                  dijkstra_only = false;
    std::vector<unsigned> sizes;
  };

  Arguments read_arguments(const int argc, char **argv)
  {
    Arguments arguments;
    for (int a = 1; a < argc; ++a)
      {
        const std::string argument = argv[a];
        if (argument == "--quill" && a + 1 < argc)
          arguments.quill = argv[++a];
        else if (argument == "--dijkstra-only")
          arguments.dijkstra_only = true;
        else if (const std::optional<unsigned> n = orr::bench::read_count_argument(argv[a], 2))
          arguments.sizes.push_back(*n);
        else
          {
            std::fprintf(stderr, "usage: %s [--quill PATH] [--dijkstra-only] [n ...]   (n >= 2, default 50 100 160)\n",
                         argv[0]);
            std::exit(1);
          }
      }
    if (arguments.sizes.empty())
      arguments.sizes = DEFAULT_SIZES;
    return arguments;
  }

  /**
   * In the child: builds the grid, then times the fast marching stage as quill runs it
   * (initialize and march). Reports "wall-seconds cpu-seconds accepted".
   */
  std::string march_alone(const unsigned n, const bool second_order)
  {
    const SyntheticReservoir reservoir = orr::bench::make_synthetic_reservoir(n);
    const auto               system    = orr::bench::build_system(reservoir);
    orr::bench::CountingGridSolver solver;
    solver.set_initial_total_compressibility(SyntheticReservoir::TOTAL_COMPRESSIBILITY);
    solver.set_initial_viscosity(SyntheticReservoir::VISCOSITY);
    solver.set_second_order(second_order);
    orr::bench::prepare_march(solver, *system, reservoir);

    const orr::bench::StageTimer timer;
    solver.initialize();
    solver.march();
    const double cpu_seconds = timer.cpu_seconds();
    const double seconds     = timer.wall_seconds();
    std::ostringstream report;
    report.precision(17);
    report << seconds << ' ' << cpu_seconds << ' ' << solver.accepted();
    return report.str();
  }

  void print_header()
  {
    std::printf("%-7s %-6s %-9s %-10s %8s %8s %9s %9s %11s   %s\n", "grid", "order", "cells", "measured", "wall s",
                "cpu s", "Mcells/s", "(cpu)", "bytes/cell", "note");
  }

  void print_row(const unsigned n, const bool second_order, const char *measured, const double seconds,
                 const double cpu_seconds, const std::size_t accepted, const std::uint64_t peak_bytes,
                 const std::string &note)
  {
    const double cells = static_cast<double>(n) * n * n;
    std::printf("%4u^3  %-6s %-9.0f %-10s %8.3f %8.3f %9.3f %9.3f %11.1f   %s\n", n,
                second_order ? "second" : "first", cells, measured, seconds, cpu_seconds, accepted / seconds / 1e6,
                accepted / cpu_seconds / 1e6, peak_bytes / cells, note.c_str());
    std::fflush(stdout);
  }

  void check(const ChildUsage &usage, const char *what)
  {
    if (!usage.succeeded)
      throw std::runtime_error(std::string(what) + " failed");
  }

  void benchmark_size(const unsigned n, const std::string &quill, const std::string &directory)
  {
    const std::string stem = "fm" + std::to_string(n);
    check(orr::bench::run_forked([&] {
            const SyntheticReservoir reservoir = orr::bench::make_synthetic_reservoir(n);
            orr::bench::write_property_files(directory, stem, reservoir);
            for (const bool second_order : {false, true})
              orr::bench::write_deck(directory, stem + (second_order ? "_second" : "_first"), stem, reservoir,
                                     orr::bench::DeckOptions{second_order, ""});
            return std::string();
          }),
          "writing the deck");

    for (const bool second_order : {false, true})
      {
        const ChildUsage march = orr::bench::run_forked([&] { return march_alone(n, second_order); });
        check(march, "the march");
        double      seconds     = 0.0;
        double      cpu_seconds = 0.0;
        std::size_t accepted    = 0;
        std::istringstream(march.output) >> seconds >> cpu_seconds >> accepted;
        print_row(n, second_order, "march", seconds, cpu_seconds, accepted, march.peak_resident_bytes,
                  "initialize + march, grid built in memory");

        const orr::bench::QuillRun run =
          orr::bench::run_quill(quill, directory, stem + (second_order ? "_second" : "_first"));
        std::ostringstream note;
        note.precision(3);
        note << "whole run; stages: reading " << run.reading_seconds << " s, march " << run.march_seconds
             << " s, writing " << run.writing_seconds << " s";
        print_row(n, second_order, "quill run", run.usage.seconds, run.usage.cpu_seconds, run.recorded_cells,
                  run.usage.peak_resident_bytes, note.str());
      }
  }
  /**
   * In the child: builds the grid, then ROUNDS times the march (initialize and march, a
   * fresh solver each time) and the heap Dijkstra (a fresh one each time), alternating.
   * Reports the CPU seconds of each, "march dijkstra" per round.
   */
  std::string march_against_dijkstra(const unsigned n, const bool second_order)
  {
    const SyntheticReservoir reservoir = orr::bench::make_synthetic_reservoir(n);
    const auto               system    = orr::bench::build_system(reservoir);
    std::ostringstream       report;
    report.precision(17);
    for (unsigned round = 0; round < ROUNDS; ++round)
      {
        orr::bench::CountingGridSolver solver;
        solver.set_initial_total_compressibility(SyntheticReservoir::TOTAL_COMPRESSIBILITY);
        solver.set_initial_viscosity(SyntheticReservoir::VISCOSITY);
        solver.set_second_order(second_order);
        orr::bench::prepare_march(solver, *system, reservoir);
        const orr::bench::StageTimer march_timer;
        solver.initialize();
        solver.march();
        report << march_timer.cpu_seconds() << ' ';

        orr::bench::HeapDijkstra     dijkstra(reservoir, SyntheticReservoir::TOTAL_COMPRESSIBILITY,
                                              SyntheticReservoir::VISCOSITY);
        const orr::bench::StageTimer dijkstra_timer;
        if (dijkstra.run() != reservoir.number_of_cells())
          throw std::runtime_error("the Dijkstra did not reach every cell");
        report << dijkstra_timer.cpu_seconds() << '\n';
      }
    return report.str();
  }

  /** Runs march_against_dijkstra for n and each order and prints a row each. */
  void benchmark_against_dijkstra(const unsigned n)
  {
    for (const bool second_order : {false, true})
      {
        const ChildUsage rounds = orr::bench::run_forked([&] { return march_against_dijkstra(n, second_order); });
        check(rounds, "the march against the Dijkstra");
        std::vector<double> march, dijkstra, ratio;
        std::istringstream  in(rounds.output);
        double              m = 0.0, d = 0.0;
        while (in >> m >> d)
          {
            march.push_back(m);
            dijkstra.push_back(d);
            ratio.push_back(m / d);
          }
        std::sort(ratio.begin(), ratio.end());
        const double best_march    = *std::min_element(march.begin(), march.end());
        const double best_dijkstra = *std::min_element(dijkstra.begin(), dijkstra.end());
        std::printf("%4u^3  %-6s %12.3f %12.3f %14.3f %14.3f\n", n, second_order ? "second" : "first",
                    best_march, best_dijkstra, best_march / best_dijkstra, ratio[ratio.size() / 2]);
        std::fflush(stdout);
      }
  }
} // namespace

int main(int argc, char **argv)
{
  const Arguments arguments = read_arguments(argc, argv);
  try
    {
      std::printf("Fast marching on an n^3 box: log-normal permeability (median 10 mD), one vertical well.\n");
      if (!arguments.dijkstra_only)
        {
          const orr::bench::ScratchDirectory scratch;
          const ChildUsage baseline = orr::bench::run_forked([] { return std::string(); });
          std::printf("Mcells/s: million accepted cells per wall-clock second, and (cpu) per second of CPU time\n"
                      "(the figure to trust on a loaded machine); bytes/cell: peak resident memory of the case's\n"
                      "process per cell (an idle child of this program holds %.1f MB).\n\n",
                      baseline.peak_resident_bytes / 1e6);
          print_header();
          for (const unsigned n : arguments.sizes)
            benchmark_size(n, arguments.quill, scratch.path());
          std::printf("\nTargets, first order at 160^3: at least 2 Mcells/s, at most 200 bytes/cell.\n");
        }

      std::printf("\nThe march against a plain heap Dijkstra on the same field (six neighbours, array-indexed\n"
                  "binary heap), CPU seconds, alternating in one process, %u rounds each.\n\n", ROUNDS);
      std::printf("%-7s %-6s %12s %12s %14s %14s\n", "grid", "order", "march best", "Dijkstra best", "ratio of best",
                  "median ratio");
      for (const unsigned n : arguments.sizes)
        benchmark_against_dijkstra(n);
      std::printf("\nTarget, first order at 160^3: march / Dijkstra at most 1.5.\n");
    }
  catch (const std::exception &error)
    {
      std::fprintf(stderr, "fast_marching_bench: %s\n", error.what());
      return 1;
    }
  return 0;
}
