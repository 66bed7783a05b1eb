// Overhead of quill-ensemble: an ensemble of oil decks (default 100 realisations of a
// 51 x 51 x 5 grid, 13005 cells, 40 reports) run with --jobs 2 against the sum of the single
// runs' wall times divided by 2, and the time of `collect` alone. Baseline and ensemble run
// alternate; each figure is the median of the repeats. With SLURM_CONF set (a cluster such as
// scripts/start_local_slurm.sh starts) the same study also runs through --slurm.
//
//   ensemble_bench [--quill PATH] [--realisations N] [--grid n] [--repeats R]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "count_argument.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;

namespace
{
  using orr::bench::ChildUsage;

  struct Arguments
  {
    std::string quill        = QUILL_PROGRAM;
    unsigned    realisations = 100;
    unsigned    grid         = 51;  // n x n x 5 cells
    unsigned    repeats      = 5;
  };

  constexpr unsigned LAYERS = 5;
  constexpr unsigned REPORTS = 40;
  const std::string  ROOT = "bench";

  [[noreturn]] void usage(const char *program)
  {
    std::fprintf(stderr,
                 "usage: %s [--quill PATH] [--realisations N] [--grid n] [--repeats R]\n"
                 "  (defaults: 100 realisations of a 51 x 51 x 5 grid, 5 repeats; n >= 3)\n",
                 program);
    std::exit(1);
  }

  Arguments read_arguments(const int argc, char **argv)
  {
    Arguments arguments;
    for (int a = 1; a < argc; ++a)
      {
        const std::string option = argv[a];
        if (a + 1 >= argc)
          usage(argv[0]);
        const char *value = argv[++a];
        std::optional<unsigned> count = orr::bench::read_count_argument(value, option == "--grid" ? 3 : 1);
        if (option == "--quill")
          arguments.quill = value;
        else if (!count)
          usage(argv[0]);
        else if (option == "--realisations")
          arguments.realisations = *count;
        else if (option == "--grid")
          arguments.grid = *count;
        else if (option == "--repeats")
          arguments.repeats = *count;
        else
          usage(argv[0]);
      }
    return arguments;
  }

  void write_text(const fs::path &path, const std::string &text)
  {
    std::ofstream out(path);
    out << text;
    if (!out.flush())
      throw std::runtime_error("cannot write " + path.string());
  }

  /** An undersaturated oil deck: one well through the middle column, a rate then a BHP limit. */
  std::string oil_deck(const unsigned n)
  {
    std::string deck = "DIMENS\n" + std::to_string(n) + " " + std::to_string(n) + " " + std::to_string(LAYERS) +
                       "\nDX\n50\nDY\n50\nDZ\n10\nPORO\n0.15\nPERMX\nINCLUDE\nPERMX.inc\nCOMPLOC\n";
    for (unsigned k = 1; k <= LAYERS; ++k)
      deck += std::to_string(n / 2 + 1) + " " + std::to_string(n / 2 + 1) + " " + std::to_string(k) + "\n";
    deck += "/\nSIMULATION\n-- pressure model\nOIL\nPRESSURE\n3500\nSWL\n0.2\nRCOMP\n3500 5e-6\n"
            "PVDO\n1000 1.09 1.3\n4000 1.075 1.45\n/\nRPTPRE\nFREQ=10\n"
            "WCONPROD\n365 ORAT 1000 500 " + std::to_string(REPORTS) + "\n/\nEND\n";
    return deck;
  }

  /** Log-normal permeability, median 20 md, standard deviation of ln k 0.8, one value a line. */
  std::string permeability(std::mt19937 &random, const std::size_t cells)
  {
    std::normal_distribution<double> normal(std::log(20.0), 0.8);
    std::string                      text;
    char                             number[32];
    for (std::size_t c = 0; c < cells; ++c)
      {
        std::snprintf(number, sizeof number, "%.5g\n", std::exp(normal(random)));
        text += number;
      }
    return text;
  }

  /**
   * The ensemble folder (base deck, base PERMX, one folder per realisation) and, for the
   * baseline, a folder per realisation that quill runs in directly.
   */
  std::vector<std::string> write_study(const fs::path &ensemble, const fs::path &singles, const Arguments &arguments)
  {
    const std::size_t cells = std::size_t(arguments.grid) * arguments.grid * LAYERS;
    std::mt19937      random(20261209);
    fs::create_directories(ensemble);
    write_text(ensemble / (ROOT + ".fip"), oil_deck(arguments.grid));
    write_text(ensemble / "PERMX.inc", permeability(random, cells));
    std::vector<std::string> names;
    for (unsigned r = 1; r <= arguments.realisations; ++r)
      {
        char name[16];
        std::snprintf(name, sizeof name, "r%03u", r);
        names.push_back(name);
        const std::string values = permeability(random, cells);
        fs::create_directories(ensemble / name);
        write_text(ensemble / name / "PERMX.inc", values);
        fs::create_directories(singles / name);
        write_text(singles / name / (ROOT + ".fip"), oil_deck(arguments.grid));
        write_text(singles / name / "PERMX.inc", values);
      }
    return names;
  }

  ChildUsage run(const std::vector<std::string> &command, const fs::path &log)
  {
    const ChildUsage usage = orr::bench::run_program(command, log.string());
    if (!usage.succeeded)
      {
        std::ifstream in(log);
        std::string   text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        throw std::runtime_error(command[0] + " failed:\n" + text);
      }
    return usage;
  }

  double median(std::vector<double> values)
  {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
  }

  /** One timed `quill-ensemble run` on fresh run folders; its CPU time includes its quill runs. */
  ChildUsage ensemble_run(const fs::path &ensemble, const std::vector<std::string> &mode, const Arguments &arguments,
                      const fs::path &log)
  {
    fs::remove_all(ensemble / "runs");
    std::vector<std::string> command = {ENSEMBLE_PROGRAM, "run", ensemble.string(), "--quill", arguments.quill};
    command.insert(command.end(), mode.begin(), mode.end());
    return run(command, log);
  }
} // namespace

int main(int argc, char **argv)
{
  try
    {
      const Arguments                  arguments = read_arguments(argc, argv);
      const orr::bench::ScratchDirectory scratch;
      const fs::path                   ensemble = fs::path(scratch.path()) / "ensemble";
      const fs::path                   singles  = fs::path(scratch.path()) / "singles";
      const fs::path                   log      = fs::path(scratch.path()) / "output.txt";
      const std::vector<std::string>   names    = write_study(ensemble, singles, arguments);
      std::printf("%u realisations of a %u x %u x %u grid (%u cells), %u reports, median of %u\n",
                  arguments.realisations, arguments.grid, arguments.grid, LAYERS,
                  arguments.grid * arguments.grid * LAYERS, REPORTS, arguments.repeats);

      // (1) baseline and ensemble alternate, so that both see the same machine
      std::vector<double> half_sums;
      std::vector<double> ensembles;
      std::vector<double> ratios;
      std::vector<double> cpu_ratios;
      for (unsigned repeat = 0; repeat < arguments.repeats; ++repeat)
        {
          double sum     = 0.0;
          double cpu_sum = 0.0;
          for (const std::string &name : names)
            {
              const ChildUsage single = run({arguments.quill, ROOT, (singles / name).string() + "/"}, log);
              sum += single.seconds;
              cpu_sum += single.cpu_seconds;
            }
          half_sums.push_back(sum / 2.0);
          const ChildUsage whole = ensemble_run(ensemble, {"--jobs", "2"}, arguments, log);
          ensembles.push_back(whole.seconds);
          ratios.push_back(whole.seconds / half_sums.back());
          cpu_ratios.push_back(whole.cpu_seconds / cpu_sum);
        }
      std::printf("single runs, sum / 2 ............ %8.2f s\n", median(half_sums));
      std::printf("ensemble, --jobs 2 .............. %8.2f s\n", median(ensembles));
      std::printf("ratio (target at most 1.15) ..... %8.3f\n", median(ratios));
      std::printf("CPU time, ensemble / single runs  %8.3f\n", median(cpu_ratios));

      // (2) collect alone, on the finished runs of the last ensemble
      std::vector<double> collects;
      for (unsigned repeat = 0; repeat < arguments.repeats; ++repeat)
        collects.push_back(run({ENSEMBLE_PROGRAM, "collect", ensemble.string()}, log).seconds);
      std::printf("collect (target under 1 s) ...... %8.3f s\n", median(collects));

      // (3) the same study through Slurm, where a cluster is configured
      if (std::getenv("SLURM_CONF") == nullptr)
        {
          std::printf("slurm: SLURM_CONF is not set (scripts/start_local_slurm.sh starts a local cluster)\n");
          return 0;
        }
      std::vector<double> slurm_ratios;
      std::vector<double> slurm_runs;
      for (unsigned repeat = 0; repeat < arguments.repeats; ++repeat)
        {
          slurm_runs.push_back(ensemble_run(ensemble, {"--slurm"}, arguments, log).seconds);
          slurm_ratios.push_back(slurm_runs.back() / half_sums[repeat]);
        }
      std::printf("ensemble, --slurm ............... %8.2f s\n", median(slurm_runs));
      std::printf("ratio to single runs / 2 ........ %8.3f\n", median(slurm_ratios));
      return 0;
    }
  catch (const std::exception &error)
    {
      std::fprintf(stderr, "ensemble_bench: %s\n", error.what());
      return 2;
    }
}
