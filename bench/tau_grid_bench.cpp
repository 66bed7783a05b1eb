// Accuracy and cost of TAUGRID REFINED against UNIFORM on the reservoir of the reference
// solutions (a closed square of 51 x 51 cells of 40 ft, k = 1 md, phi = 0.1, one well of
// radius 0.25 ft through every layer, report times evenly in ln t from 0.01 to 1000 days):
//  (1) per decade of time, the RMS error of each grid against the line source, the image
//      wells of the closed square and the van Everdingen-Hurst rate, for an oil and a gas;
//  (2) the pressure stage of REFINED as a ratio to UNIFORM, from quill's timing lines of runs
//      alternating in this process, the median of the repeats. Target: at most 3.
//
//   tau_grid_bench [--layers n] [--reports n] [--repeats n]   (defaults 5, 391, 5)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "count_argument.h"
#include "reference_runs.h"
#include "scratch_directory.h"

namespace
{
  using namespace orr::reference;

  struct Arguments
  {
    unsigned layers  = 5;
    unsigned reports = 391;
    unsigned repeats = 5;
  };

  [[noreturn]] void usage(const char *program)
  {
    std::fprintf(stderr, "usage: %s [--layers n] [--reports n] [--repeats n]   (defaults 5, 391, 5; n >= 1, reports >= 2)\n",
                 program);
    std::exit(1);
  }

  Arguments read_arguments(const int argc, char **argv)
  {
    Arguments arguments;
    for (int a = 1; a + 1 < argc; a += 2)
    {
      const std::string             name  = argv[a];
      const std::optional<unsigned> count = orr::bench::read_count_argument(argv[a + 1], name == "--reports" ? 2 : 1);
      if (!count)
        usage(argv[0]);
      if (name == "--layers")
        arguments.layers = *count;
      else if (name == "--reports")
        arguments.reports = *count;
      else if (name == "--repeats")
        arguments.repeats = *count;
      else
        usage(argv[0]);
    }
    if (argc % 2 == 0)
      usage(argv[0]);
    return arguments;
  }

  ReferenceCase reference_case(const Arguments &arguments, Fluid fluid, Control control, const std::string &grid)
  {
    ReferenceCase c;
    c.fluid    = fluid;
    c.control  = control;
    c.tau_grid = grid;
    c.layers   = arguments.layers;
    c.reports  = arguments.reports;
    return c;
  }

  /** (1) */
  void print_accuracy(const Arguments &arguments, const std::string &directory)
  {
    std::printf("(1) RMS error per decade of time, 51 x 51 x %u cells, %u report times\n\n", arguments.layers,
                arguments.reports);
    std::vector<ErrorRow> rows;
    for (const std::string grid : {"UNIFORM", "REFINED"})
      for (ErrorRow &row : compare_with_reference_solutions(grid, arguments.layers, arguments.reports, directory))
        rows.push_back(std::move(row));
    print_error_table(std::cout, rows);
    std::cout << "\nTarget: REFINED within 2 % in every decade from 0.01 day (the infinite-reservoir"
                 " solutions until the boundary is felt).\n\n";
  }

  double median(std::vector<double> values)
  {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }

  /** (2) */
  void print_cost(const Arguments &arguments, const std::string &directory)
  {
    std::printf("(2) Pressure stage, REFINED against UNIFORM, median of %u alternating runs\n\n", arguments.repeats);
    std::printf("%-12s %12s %12s %10s\n", "case", "UNIFORM s", "REFINED s", "ratio");
    for (const Fluid fluid : {Fluid::oil, Fluid::gas})
      for (const Control control : {Control::rate, Control::bottom_hole_pressure})
      {
        std::vector<double> uniform, refined, ratios;
        for (unsigned r = 0; r < arguments.repeats; ++r)
        {
          uniform.push_back(
            run_reference_case(reference_case(arguments, fluid, control, "UNIFORM"), directory).pressure_stage_seconds);
          refined.push_back(
            run_reference_case(reference_case(arguments, fluid, control, "REFINED"), directory).pressure_stage_seconds);
          ratios.push_back(uniform.back() > 0.0 ? refined.back() / uniform.back() : 0.0);
        }
        const std::string name = name_of(fluid) + (control == Control::rate ? ", rate" : ", BHP");
        std::printf("%-12s %12.3f %12.3f %10.2f\n", name.c_str(), median(uniform), median(refined), median(ratios));
      }
    std::printf("\nquill times its stages to the millisecond; target: a ratio of at most 3.\n");
  }
} // namespace

int main(int argc, char **argv)
{
  const Arguments arguments = read_arguments(argc, argv);
  try
  {
    const orr::bench::ScratchDirectory scratch;
    print_accuracy(arguments, scratch.path());
    print_cost(arguments, scratch.path());
  }
  catch (const std::exception &error)
  {
    std::fprintf(stderr, "tau_grid_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
