#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ensemble_collect.h"
#include "ensemble_folder.h"
#include "input_error.h"
#include "run_folder.h"
#include "scratch_directory.h"

namespace fs = std::filesystem;
using namespace orr::ensemble;

namespace
{
  const char *const DECK = "DIMENS\n5 1 1\nDX\n10\nDY\n10\nDZ\n10\nPORO\n0.2\n"
                           "PERMX\nINCLUDE\nPERMX.inc\nCOMPLOC\n1 1 1\n/\n"
                           "SIMULATION\n-- collect never runs quill\n";

  /** Made-up results of one realisation: arrival times of the five cells and two reports. */
  struct MadeUpRun
  {
    std::string         name;
    std::vector<double> arrival;  // 0 away from the well: never reached
    double              rate[2];
    double              cumulative[2];
  };

  // Realisations r1 to r5; cell 0 holds the well, cell 2 is never reached in r1 and cell 3
  // is behind closed faces (the infinite value) in r5.
  const MadeUpRun RUNS[] = {
    {"r1", {0, 3, 0, 2, 0.5}, {30, 4}, {30, 34}},
    {"r2", {0, 1, 1, 4, 0.5}, {10, 1}, {10, 11}},
    {"r3", {0, 5, 1, 6, 0.5}, {50, 16}, {50, 66}},
    {"r4", {0, 2, 1, 8, 0.5}, {20, 2}, {20, 22}},
    {"r5", {0, 4, 1, 1.79769e308, 0.5}, {40, 8}, {40, 48}},
  };

  void write_file(const fs::path &path, const std::string &text)
  {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  std::string read_file(const fs::path &path)
  {
    return ScratchDirectory::read_file(path.string());
  }

  std::string curve_text(const double first, const double second)
  {
    std::ostringstream text;
    text << "1    " << first << "\n2    " << second << "\n";
    return text.str();
  }

  /**
   * An ensemble of r1 to r5 with the results above, r6 failed and r7 never run; the run
   * folders are made by the tool, the results written by hand.
   */
  class MadeUpEnsemble : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      root = fs::path(scratch.path()) / "study";
      write_file(root / "case.fip", DECK);
      write_file(root / "PERMX.inc", "1 1 1 1 1\n");
      for (const char *name : {"r1", "r2", "r3", "r4", "r5", "r6", "r7"})
        write_file(root / name / "PERMX.inc", "2 2 2 2 2\n");

      const EnsembleFolder ensemble(root.string());
      for (const MadeUpRun &run : RUNS)
        {
          prepare_run_folder(ensemble, run.name);
          const fs::path folder = ensemble.run_folder(run.name);
          std::ostringstream map;
          map << "Physical_Time(days)\n";
          for (const double time : run.arrival)
            map << time << "\n";
          write_file(folder / "case.time.grdecl", map.str() + "/\n");
          write_file(folder / "case_RATE", curve_text(run.rate[0], run.rate[1]));
          write_file(folder / "case_Cum", curve_text(run.cumulative[0], run.cumulative[1]));
          write_file(folder / "case_BHP", curve_text(100, 90));
          write_file(folder / "case_PRESSURE_2.grdecl", "FILEUNIT\n");
          write_file(folder / EXIT_STATUS_FILE, "0\n\n");
        }
      prepare_run_folder(ensemble, "r6");
      write_file(ensemble.run_folder("r6") / EXIT_STATUS_FILE, "1\nError in reading PERMX data!\n");
    }

    /** The message collect refuses with; "" when it does not refuse. */
    std::string refusal()
    {
      std::ostringstream out;
      try
        {
          collect(EnsembleFolder(root.string()), {}, out);
        }
      catch (const orr::InputError &error)
        {
          return error.what();
        }
      return "";
    }

    ScratchDirectory scratch;
    fs::path         root;
  };
} // namespace

TEST_F(MadeUpEnsemble, percentiles_of_curves_and_maps_are_those_worked_out_by_hand)
{
  std::ostringstream   out;
  const CollectSummary summary = collect(EnsembleFolder(root.string()), {}, out);
  EXPECT_EQ(summary.used, (std::vector<std::string>{"r1", "r2", "r3", "r4", "r5"}));
  EXPECT_EQ(summary.failed, std::vector<std::string>{"r6"});
  EXPECT_EQ(summary.missing, std::vector<std::string>{"r7"});
  EXPECT_NE(out.str().find("Failed: r6\nMissing: r7\n"), std::string::npos) << out.str();

  // Sorted rates at day 1 are 10 20 30 40 50: P10 at h = 4 x 0.9 = 3.6 is 40 + 0.6 x 10, P90
  // at h = 0.4 is 10 + 0.4 x 10. At day 2 the cumulatives 11 22 34 48 66 give 48 + 0.6 x 18
  // and 11 + 0.4 x 11.
  EXPECT_EQ(read_file(root / "case_ENSEMBLE.csv"),
            "Ensemble Summary\n"
            "P90 is the low case (the value exceeded by 90 % of the realisations) and P10 the high case; "
            "percentiles interpolate linearly between the sorted values\n"
            "Time,Realisations,Rate Mean,Rate P10,Rate P50,Rate P90,Cumulative Mean,Cumulative P10,"
            "Cumulative P50,Cumulative P90,BHP Mean,BHP P10,BHP P50,BHP P90\n"
            "Days,-,MSCFD/STBD,MSCFD/STBD,MSCFD/STBD,MSCFD/STBD,MSCF/STB,MSCF/STB,MSCF/STB,MSCF/STB,"
            "PSIA,PSIA,PSIA,PSIA\n"
            "1,5,30,46,30,14,30,46,30,14,100,100,100,100\n"
            "2,5,6.2,12.8,4,1.4,36.2,58.8,34,15.4,90,90,90,90\n");

  // Cell 0 is the well; an unreached cell counts as infinitely late, and a percentile that
  // leans on it at all is infinite.
  EXPECT_EQ(read_file(root / "case_ARRIVAL_P10.grdecl"),
            "Arrival_Time_P10(days)\n0\n4.6\n1.79769e+308\n1.79769e+308\n0.5\n/\n");
  EXPECT_EQ(read_file(root / "case_ARRIVAL_P50.grdecl"), "Arrival_Time_P50(days)\n0\n3\n1\n6\n0.5\n/\n");
  EXPECT_EQ(read_file(root / "case_ARRIVAL_P90.grdecl"), "Arrival_Time_P90(days)\n0\n1.4\n1\n2.8\n0.5\n/\n");
  // Without --days the reached fractions are taken on the days of the pressure maps: map 2, day 2.
  EXPECT_EQ(read_file(root / "case_REACHED_2.grdecl"), "Reached_Fraction_By_Day_2\n1\n0.4\n0.8\n0.2\n1\n/\n");

  collect(EnsembleFolder(root.string()), {1.5}, out);
  EXPECT_EQ(read_file(root / "case_REACHED_1.5.grdecl"), "Reached_Fraction_By_Day_1.5\n1\n0.2\n0.8\n0\n1\n/\n");
}

TEST_F(MadeUpEnsemble, inconsistent_realisations_are_refused_by_name_and_nothing_is_written)
{
  const fs::path r3 = root / "runs" / "r3";
  const fs::path r4 = root / "runs" / "r4";
  const struct
  {
    std::function<void()> spoil;
    std::string           message;
  } cases[] = {
    {[&] { write_file(r3 / "case.time.grdecl", "Physical_Time(days)\n0\n1\n/\n"); },
     "Error: the realisations r3 have another grid than the 5 cells of case.fip.\n"},
    {[&] { write_file(r4 / "case_BHP", "1    100\n3    90\n"); },
     "Error: the realisations r4 have other report times than r1.\n"},
    {[&] { write_file(root / "r2" / "PERMY.inc", "1\n"); },
     "Error: the file r2/PERMY.inc replaces no INCLUDE file of case.fip.\n"},
    {[&] {
       fs::last_write_time(root / "case.fip", fs::last_write_time(root / "case.fip") + std::chrono::seconds(5));
     },
     "Error: the base deck or the files of the realisations r1, r2, r3, r4, r5 changed after their runs "
     "finished; run the ensemble again.\n"},
  };
  for (const auto &spoilt : cases)
    {
      SetUp();
      spoilt.spoil();
      EXPECT_EQ(refusal(), spoilt.message);
      EXPECT_FALSE(fs::exists(root / "case_ENSEMBLE.csv"));
      EXPECT_FALSE(fs::exists(root / "case_ARRIVAL_P50.grdecl"));
      fs::remove_all(root);
    }
}
