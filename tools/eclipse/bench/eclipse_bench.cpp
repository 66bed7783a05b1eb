// Speed of quill-import and quill-export on a grid of a million cells (a benchmark that prints
// figures, not a test).
//
// Import: a corner-point Eclipse deck of n x n x n cells (COORD, ZCORN and four property
// arrays of distinct values) imported whole, against its baseline: opm-common's own parse
// (Parser, EclipseState, Schedule) plus writing the value files of the quill deck.
// Export: a quill run of the same size with 10 pressure maps, its files written for the
// viewers, against writing as many bytes to files of the same directory in one go.
// Each pair runs alternately, 5 times; the medians and their ratio are printed.
//
// Usage: eclipse_bench [n]   (default 100: 1 000 000 cells)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "count_argument.h"
#include "eclipse_import.h"
#include "export_grid.h"
#include "import_into_folder.h"
#include "number_text.h"
#include "quill_deck_writer.h"
#include "quill_run_results.h"
#include "scratch_directory.h"
#include "staged_output.h"
#include "stage_timer.h"
#include "viewer_files.h"

namespace
{
  namespace fs = std::filesystem;
  using orr::bench::StageTimer;
  using orr::eclipse::append_number;

  const int ROUNDS = 5;
  const int MAPS = 10;

  void append_array(std::string &deck, const char *keyword, const std::vector<double> &values)
  {
    deck += keyword;
    deck += '\n';
    for (std::size_t c = 0; c < values.size(); ++c)
    {
      append_number(deck, values[c]);
      deck += (c + 1) % 8 == 0 ? '\n' : ' ';
    }
    deck += "/\n";
  }

  // A corner-point deck: 50 x 50 ft columns, layers of 5 ft on a gently dipping top.
  std::string corner_point_deck(int n)
  {
    std::mt19937 random(1);
    std::lognormal_distribution<double> permeability(std::log(10.0), 1.0);
    std::uniform_real_distribution<double> porosity(0.05, 0.3);
    const std::size_t cells = std::size_t(n) * n * n;
    std::vector<double> coord, zcorn, poro(cells), permx(cells), permz(cells);
    for (int j = 0; j <= n; ++j)
      for (int i = 0; i <= n; ++i)
        coord.insert(coord.end(), {50.0 * i, 50.0 * j, 8000.0, 50.0 * i, 50.0 * j, 9000.0});
    for (int k = 0; k < n; ++k)
      for (int face = 0; face < 2; ++face)
        for (int j = 0; j < 2 * n; ++j)
          for (int i = 0; i < 2 * n; ++i)
            zcorn.push_back(8000.0 + 0.1 * ((i + 1) / 2) + 5.0 * (k + face));
    for (std::size_t c = 0; c < cells; ++c)
    {
      poro[c] = porosity(random);
      permx[c] = permeability(random);
      permz[c] = 0.1 * permx[c];
    }
    const std::string ns = std::to_string(n);
    std::string deck = "RUNSPEC\nDIMENS\n" + ns + " " + ns + " " + ns + " /\nOIL\nWATER\nFIELD\nSTART\n1 JAN 2025 /\n"
                       "EQLDIMS\n1 /\nTABDIMS\n1 1 20 20 /\nWELLDIMS\n1 " + ns + " 1 1 /\nGRID\nSPECGRID\n" + ns + " "
                       + ns + " " + ns + " 1 F /\n";
    append_array(deck, "COORD", coord);
    append_array(deck, "ZCORN", zcorn);
    append_array(deck, "PORO", poro);
    append_array(deck, "PERMX", permx);
    deck += "COPY\nPERMX PERMY /\n/\n";
    append_array(deck, "PERMZ", permz);
    const std::string centre = std::to_string(n / 2 + 1);
    deck += "PROPS\nPVDO\n1000 1.1 1.4\n5000 1.06 1.6 /\nPVTW\n3000 1.02 3e-6 0.5 0 /\nSWOF\n0.2 0 1 0\n1 1 0 0 /\n"
            "ROCK\n3000 4e-6 /\nDENSITY\n50 62.4 0.05 /\nSOLUTION\nEQUIL\n8000 3000 9500 0 7000 0 /\n"
            "SCHEDULE\nWELSPECS\n'PROD' 'G' " + centre + " " + centre + " 8000 'OIL' /\n/\nCOMPDAT\n'PROD' " + centre
            + " " + centre + " 1 " + ns + " 'OPEN' 1* 1* 0.5 /\n/\nWCONPROD\n'PROD' 'OPEN' 'ORAT' 500 4* 1000 /\n/\n"
            "TSTEP\n10*30 /\nEND\n";
    return deck;
  }

  double median(std::vector<double> values)
  {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }

  std::uintmax_t bytes_in(const std::string &directory, const std::vector<std::string> &names)
  {
    std::uintmax_t bytes = 0;
    for (const std::string &name : names)
      bytes += fs::file_size(fs::path(directory) / name);
    return bytes;
  }

  void print(const char *what, const std::vector<double> &measured, const std::vector<double> &baseline)
  {
    std::printf("%-58s %8.3f s  baseline %8.3f s  ratio %.3f\n", what, median(measured), median(baseline),
                median(measured) / median(baseline));
  }

  void bench_import(const orr::bench::ScratchDirectory &scratch, int n)
  {
    const std::string deck_path = scratch.path() + "CASE.DATA";
    std::ofstream(deck_path) << corner_point_deck(n);
    std::printf("import: %d x %d x %d cells, deck of %.0f MB\n", n, n, n, fs::file_size(deck_path) / 1.0e6);

    std::vector<double> import_seconds, parse_seconds, write_seconds, baseline_seconds;
    for (int round = 0; round < ROUNDS; ++round)
    {
      // (1) the baseline: opm-common's parse, then the value files of the quill deck
      double parse, write;
      {
        StageTimer timer;
        const orr::eclipse::ParsedDeck parsed(deck_path);
        parse = timer.wall_seconds();
        const orr::eclipse::ImportedModel model = orr::eclipse::import_model(parsed, "");
        StageTimer writing;
        orr::eclipse::StagedOutput output(scratch.path());
        orr::eclipse::write_quill_deck(model, "BASELINE", "CASE.DATA", output);
        output.commit();
        write = writing.wall_seconds();
      }
      parse_seconds.push_back(parse);
      write_seconds.push_back(write);
      baseline_seconds.push_back(parse + write);
      // (2) the whole import, as quill-import does it
      StageTimer timer;
      const orr::eclipse::ParsedDeck parsed(deck_path);
      orr::eclipse::import_into_folder(parsed, "", scratch.path() + "imported", "CASE", "CASE.DATA");
      import_seconds.push_back(timer.wall_seconds());
    }
    std::printf("  opm-common parse %.3f s, value files written in %.3f s (medians)\n", median(parse_seconds),
                median(write_seconds));
    print("  import (parse, import, value files, EGRID) vs parse + write", import_seconds, baseline_seconds);
  }

  void bench_export(const orr::bench::ScratchDirectory &scratch, int n)
  {
    // A run of the same grid: a box quill marches, with a pressure map at each of 10 steps.
    const std::string run = scratch.path() + "run";
    fs::create_directories(run);
    const std::string ns = std::to_string(n), centre = std::to_string(n / 2 + 1);
    std::string deck = "DIMENS\n" + ns + " " + ns + " " + ns + "\nDX\n50\nDY\n50\nDZ\n5\nPORO\n0.2\nPERMX\n10\n"
                       "PERMZ\n1\nCOMPLOC\n";
    for (int k = 1; k <= n; ++k)
      deck += centre + " " + centre + " " + std::to_string(k) + "\n";
    deck += "/\nSIMULATION\n--\nOIL\nPRESSURE\n3000\nRCOMP\n3000 4e-6\nPVDO\n1000 1.1 1.4\n5000 1.06 1.6\n/\n"
            "RPTPRE\nFREQ=1\nWCONPROD\n300 ORAT 1000 500 " + std::to_string(MAPS) + "\n/\nEND\n";
    std::ofstream(run + "/RUN.fip") << deck;
    const std::string command = std::string(QUILL_PROGRAM) + " RUN " + run + " >/dev/null";
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("quill failed on the export benchmark's deck");

    const orr::eclipse::QuillRunResults results = orr::eclipse::read_quill_run(run, "RUN");
    const orr::eclipse::ExportGrid grid = orr::eclipse::export_grid(run + "/RUN.EGRID", results);
    std::vector<std::string> written = {"RUN.EGRID", "RUN.INIT", "RUN.UNRST", "RUN.SMSPEC", "RUN.UNSMRY",
                                        "RUN.vtu",   "RUN.pvd"};
    for (int map = 1; map <= MAPS; ++map)
      written.push_back("RUN_" + std::to_string(map) + ".vtu");

    std::vector<double> export_seconds, baseline_seconds;
    std::uintmax_t bytes = 0;
    for (int round = 0; round < ROUNDS; ++round)
    {
      StageTimer timer;
      orr::eclipse::write_viewer_files(results, grid, "RUN", "PROD", run);
      export_seconds.push_back(timer.wall_seconds());
      bytes = bytes_in(run, written);
      // the baseline: as many bytes, written to one file at once
      const std::string block(bytes, 'x');
      StageTimer plain;
      {
        std::ofstream out(run + "/plain.bin", std::ios::binary);
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
      }
      baseline_seconds.push_back(plain.wall_seconds());
      fs::remove(run + "/plain.bin");
    }
    std::printf("export: %d cells, %d pressure maps, %.0f MB in %zu files\n", n * n * n, MAPS, bytes / 1.0e6,
                written.size());
    print("  export writing vs one plain write of as many bytes", export_seconds, baseline_seconds);
  }
} // namespace

int main(int argc, char **argv)
{
  const std::optional<unsigned> n = argc > 1 ? orr::bench::read_count_argument(argv[1], 4) : 100u;
  if (!n)
  {
    std::cerr << "Usage: eclipse_bench [cells per side, at least 4]\n";
    return 1;
  }
  try
  {
    const orr::bench::ScratchDirectory scratch;
    bench_import(scratch, int(*n));
    bench_export(scratch, int(*n));
  }
  catch (const std::exception &error)
  {
    std::cerr << "eclipse_bench: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
