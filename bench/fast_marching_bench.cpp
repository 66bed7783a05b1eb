// Speed and memory of fast marching on a heterogeneous n^3 box, for the march alone and for
// a whole run of quill on the same grid written as a deck.
//
//   fast_marching_bench [--quill PATH] [n ...]      (default sizes: 50 100 160)
//
// Every case runs in a child process of its own, so that the peak resident memory printed
// is that case's alone.

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

  struct Arguments
  {
    std::string           quill = QUILL_PROGRAM;
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
        else if (const std::optional<unsigned> n = orr::bench::read_count_argument(argv[a], 2))
          arguments.sizes.push_back(*n);
        else
          {
            std::fprintf(stderr, "usage: %s [--quill PATH] [n ...]   (n >= 2, default 50 100 160)\n", argv[0]);
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
} // namespace

int main(int argc, char **argv)
{
  const Arguments arguments = read_arguments(argc, argv);
  try
    {
      const orr::bench::ScratchDirectory scratch;
      const ChildUsage baseline = orr::bench::run_forked([] { return std::string(); });
      std::printf("Fast marching on an n^3 box: log-normal permeability (median 10 mD), one vertical well.\n");
      std::printf("Mcells/s: million accepted cells per wall-clock second, and (cpu) per second of CPU time\n"
                  "(the figure to trust on a loaded machine); bytes/cell: peak resident memory of the case's\n"
                  "process per cell (an idle child of this program holds %.1f MB).\n\n",
                  baseline.peak_resident_bytes / 1e6);
      print_header();
      for (const unsigned n : arguments.sizes)
        benchmark_size(n, arguments.quill, scratch.path());
      std::printf("\nTargets, first order at 160^3: at least 2 Mcells/s, at most 200 bytes/cell.\n");
    }
  catch (const std::exception &error)
    {
      std::fprintf(stderr, "fast_marching_bench: %s\n", error.what());
      return 1;
    }
  return 0;
}
