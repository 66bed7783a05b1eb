// Where the time of a whole run of quill goes, stage by stage, for a large tau-only run and
// for a small run with a pressure stage:
//  - an n x n x n box (default 160^3, 4.1 million cells) without a pressure model;
//  - dead oil on a 51 x 51 x 5 box (13005 cells) at constant bottom-hole pressure, 391
//    reports.
// quill runs on each deck in turn, `--rounds` times (default 5); each stage's seconds are
// the median of its timing lines, and the ratios to the march are the medians of the ratios
// within each run.
//
//   whole_run_bench [--quill PATH] [--grid n] [--rounds n]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "benchmark_deck.h"
#include "count_argument.h"
#include "oil_model.h"
#include "quill_run.h"
#include "scratch_directory.h"
#include "synthetic_reservoir.h"

namespace
{
  struct Arguments
  {
    std::string quill  = QUILL_PROGRAM;
    unsigned    grid   = 160;
    unsigned    rounds = 5;
  };

  [[noreturn]] void usage(const char *program)
  {
    std::fprintf(stderr, "usage: %s [--quill PATH] [--grid n] [--rounds n]   (defaults: 160, 5; n >= 2)\n", program);
    std::exit(1);
  }

  Arguments read_arguments(const int argc, char **argv)
  {
    Arguments arguments;
    for (int a = 1; a < argc; ++a)
      {
        const std::string argument = argv[a];
        if (argument == "--quill" && a + 1 < argc)
          arguments.quill = argv[++a];
        else if ((argument == "--grid" || argument == "--rounds") && a + 1 < argc)
          {
            const std::optional<unsigned> n = orr::bench::read_count_argument(argv[++a], argument == "--grid" ? 2 : 1);
            if (!n)
              usage(argv[0]);
            (argument == "--grid" ? arguments.grid : arguments.rounds) = *n;
          }
        else
          usage(argv[0]);
      }
    return arguments;
  }

  double median(std::vector<double> values)
  {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }

  /** One deck and the timing lines of every run of quill on it. */
  struct Case
  {
    std::string                      title;
    std::string                      root;
    std::vector<orr::bench::QuillRun> runs;
  };

  void print_case(const Case &c)
  {
    struct Stage
    {
      const char *name;
      double orr::bench::QuillRun::*seconds;
    };
    const Stage stages[] = {{"reading", &orr::bench::QuillRun::reading_seconds},
                            {"march", &orr::bench::QuillRun::march_seconds},
                            {"pressure", &orr::bench::QuillRun::pressure_seconds},
                            {"writing", &orr::bench::QuillRun::writing_seconds}};
    std::vector<double> whole;
    for (const orr::bench::QuillRun &run : c.runs)
      {
        double sum = 0.0;
        for (const Stage &stage : stages)
          sum += std::max(run.*stage.seconds, 0.0);
        whole.push_back(sum);
      }
    const double whole_seconds = median(whole);

    std::printf("%s\n\n", c.title.c_str());
    std::printf("    %-10s %10s %10s %14s\n", "stage", "seconds", "share", "stage / march");
    for (const Stage &stage : stages)
      {
        std::vector<double> seconds, ratios;
        for (const orr::bench::QuillRun &run : c.runs)
          {
            seconds.push_back(run.*stage.seconds);
            ratios.push_back(run.*stage.seconds / run.march_seconds);
          }
        if (median(seconds) < 0.0)
          continue;  // a stage this deck does not have
        std::printf("    %-10s %10.3f %9.1f%% %14.2f\n", stage.name, median(seconds),
                    100.0 * median(seconds) / whole_seconds, median(ratios));
      }
    std::printf("    %-10s %10.3f %9.1f%%\n\n", "whole run", whole_seconds, 100.0);
    std::fflush(stdout);
  }
} // namespace

int main(int argc, char **argv)
{
  const Arguments arguments = read_arguments(argc, argv);
  try
    {
      const orr::bench::ScratchDirectory scratch;
      const std::string                  directory = scratch.path();
      const unsigned                     n         = arguments.grid;

      std::vector<Case> cases(2);
      cases[0].title = "Tau only, " + std::to_string(n) + "^3 cells, first order";
      cases[0].root  = "tau" + std::to_string(n);
      cases[1].title = "Dead oil, 51 x 51 x 5 cells, constant bottom-hole pressure, 391 reports";
      cases[1].root  = "oil391";
      {
        const orr::bench::SyntheticReservoir box = orr::bench::make_synthetic_reservoir(n);
        orr::bench::write_property_files(directory, cases[0].root, box);
        orr::bench::write_deck(directory, cases[0].root, cases[0].root, box, orr::bench::DeckOptions{});
      }
      {
        const orr::bench::SyntheticReservoir oil = orr::bench::make_synthetic_reservoir(51, 51, 5);
        orr::bench::write_property_files(directory, cases[1].root, oil);
        orr::bench::write_deck(directory, cases[1].root, cases[1].root, oil,
                               orr::bench::DeckOptions{false, orr::bench::oil_model(391)});
      }

      for (unsigned round = 0; round < arguments.rounds; ++round)
        for (Case &c : cases)
          c.runs.push_back(orr::bench::run_quill(arguments.quill, directory, c.root));

      std::printf("The whole run of quill, stage by stage: the median of %u runs of each deck, in turns.\n\n",
                  arguments.rounds);
      for (const Case &c : cases)
        print_case(c);
      std::printf("Targets: at 160^3 reading at most 0.1 and writing at most 0.3 of the march; on the oil deck\n"
                  "the pressure stage at most 3 times the march.\n");
    }
  catch (const std::exception &error)
    {
      std::fprintf(stderr, "whole_run_bench: %s\n", error.what());
      return 1;
    }
  return 0;
}
