// quill-import and quill-export as programs: an imported deck runs like its hand-written twin,
// exported results read back with opm-common's readers, and bad input leaves nothing behind.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <opm/io/eclipse/EGrid.hpp>
#include <opm/io/eclipse/EInit.hpp>
#include <opm/io/eclipse/ERst.hpp>
#include <opm/io/eclipse/ESmry.hpp>

#include "eclipse_test_deck.h"
#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  /** The hand-written quill deck of the reservoir of eclipse_test_deck. */
  void write_hand_written_twin(const ScratchDirectory &directory)
  {
    directory.write("CASE.fip", "DIMENS\n4 3 2\nDX\n40\nDY\n50\nDZ\n10\nPORO\nINCLUDE\nporo.inc\nPERMX\n100\n"
                                "PERMY\n100\nPERMZ\n10\nCOMPLOC\n2 2 1\n2 2 2\n/\nSIMULATION\n--\nOIL\n"
                                "PRESSURE\n3000\nSWL\n0.25\nRCOMP\n3000 4e-6\nDENSITY\n50 62.4 0.05\n"
                                "PVDO\n1000 1.1 1.4\n3000 1.08 1.5\n5000 1.06 1.6\n/\nPVTW\n3000 1.02 3e-6 0.5 0\n/\n"
                                "WELLRADIUS\n0.25\nRPTPRE\nFREQ=1\nWCONPROD\n30 ORAT 1000 500 3\n"
                                "181 BHP 1000 0 2\n/\nEND\n");
    std::string poro;
    for (int c = 0; c < 24; ++c)
      poro += c < 12 ? "0.2\n" : "0.25\n";
    directory.write("poro.inc", poro);
  }

  /** Imports eclipse_test_deck(units) into directory as CASE and runs quill on it. */
  void import_and_run(const ScratchDirectory &directory, const std::string &units)
  {
    directory.write("CASE.DATA", eclipse_test_deck(units));
    const QuillRun imported = run_program(directory, QUILL_IMPORT_BINARY, {"CASE.DATA", "."});
    ASSERT_EQ(imported.exit_status, 0) << imported.err;
    const QuillRun run = run_quill(directory, {"CASE", "."});
    ASSERT_EQ(run.exit_status, 0) << run.err;
  }

  /** The numbers after the first line of a quill grid file. */
  std::vector<double> grid_values(const ScratchDirectory &directory, const std::string &name,
                                  const std::string &header)
  {
    std::istringstream in(directory.read(name));
    std::string token;
    while (in >> token && token != header)
      ;
    std::vector<double> values;
    double value;
    while (in >> value)
      values.push_back(value);
    return values;
  }

  /** Column `column` of the rows of CASE_RSM.csv. */
  std::vector<double> summary_column(const ScratchDirectory &directory, int column)
  {
    std::istringstream in(directory.read("CASE_RSM.csv"));
    std::string line;
    for (int heading = 0; heading < 3; ++heading)
      std::getline(in, line);
    std::vector<double> values;
    while (std::getline(in, line))
    {
      std::istringstream fields(line);
      std::string field;
      for (int c = 0; c <= column; ++c)
        std::getline(fields, field, ',');
      values.push_back(std::stod(field));
    }
    return values;
  }

  template <class T>
  void expect_close(const std::vector<T> &actual, const std::vector<double> &expected, const char *what)
  {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t c = 0; c < expected.size(); ++c)
      EXPECT_NEAR(actual[c], expected[c], 1e-6 * std::max(1.0, std::abs(expected[c]))) << what << " at " << c;
  }
} // namespace

TEST(EclipseTools, ImportedDeckGivesTheResultsOfItsHandWrittenTwin)
{
  ScratchDirectory imported, by_hand;
  import_and_run(imported, "METRIC");
  write_hand_written_twin(by_hand);
  const QuillRun run = run_quill(by_hand, {"CASE", "."});
  ASSERT_EQ(run.exit_status, 0) << run.err;
  for (const char *file : {"CASE_RSM.csv", "CASE.tau.grdecl", "CASE.time.grdecl", "CASE_PRESSURE_5.grdecl",
                           "well_prop.txt"})
    EXPECT_EQ(imported.read(file), by_hand.read(file)) << file;
  EXPECT_TRUE(imported.exists("CASE.EGRID"));
}

TEST(EclipseTools, DeckThatCannotBeParsedWritesNothing)
{
  ScratchDirectory directory;
  directory.write("BAD.DATA", "RUNSPEC\nDIMENS\n 2 2 /\nGRID\nPORO\n 1*0.2 /\n");
  const QuillRun run = run_program(directory, QUILL_IMPORT_BINARY, {"BAD.DATA", "out"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.err.rfind("Error: The deck BAD.DATA cannot be read:\n", 0), 0u) << run.err;
  EXPECT_GT(run.err.size(), std::string("Error: The deck BAD.DATA cannot be read:\n").size() + 10);
  EXPECT_EQ(directory.entries(), std::vector<std::string>{"BAD.DATA"});
}

TEST(EclipseTools, ExportedResultsReadBackWithOpmCommonsReaders)
{
  ScratchDirectory directory;
  import_and_run(directory, "FIELD");
  const QuillRun exported = run_program(directory, QUILL_EXPORT_BINARY, {"CASE", ".", "--well", "PROD"});
  ASSERT_EQ(exported.exit_status, 0) << exported.err;

  Opm::EclIO::EGrid grid(directory.path() + "CASE.EGRID");
  EXPECT_EQ(grid.dimension(), (std::array<int, 3>{4, 3, 2}));
  EXPECT_EQ(grid.activeCells(), 24);

  Opm::EclIO::EInit init(directory.path() + "CASE.INIT");
  std::vector<double> poro(24, 0.2);
  std::fill(poro.begin() + 12, poro.end(), 0.25);
  expect_close(init.getInitData<float>("PORO"), poro, "PORO");
  expect_close(init.getInitData<float>("DX"), std::vector<double>(24, 40.0), "DX");
  // 40 x 50 x 10 ft at porosity 0.2, in reservoir barrels
  EXPECT_NEAR(init.getInitData<float>("PORV")[0], 4000.0 / 5.614583333, 1e-3);

  Opm::EclIO::ERst restart(directory.path() + "CASE.UNRST");
  EXPECT_EQ(restart.listOfReportStepNumbers(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  restart.loadReportStepNumber(0);
  expect_close(restart.getRestartData<float>("TAU", 0), grid_values(directory, "CASE.tau.grdecl", "DTOF_sqrt(days)"),
               "TAU");
  expect_close(restart.getRestartData<float>("ARRIVAL", 0),
               grid_values(directory, "CASE.time.grdecl", "Physical_Time(days)"), "ARRIVAL");
  restart.loadReportStepNumber(5);
  expect_close(restart.getRestartData<float>("PRESSURE", 5),
               grid_values(directory, "CASE_PRESSURE_5.grdecl", "PRESSURE_5"), "PRESSURE");

  Opm::EclIO::ESmry summary(directory.path() + "CASE.SMSPEC");
  expect_close(summary.get("TIME"), summary_column(directory, 1), "TIME");
  expect_close(summary.get("WOPR:PROD"), summary_column(directory, 2), "WOPR");
  expect_close(summary.get("WOPT:PROD"), summary_column(directory, 3), "WOPT");
  expect_close(summary.get("WBHP:PROD"), summary_column(directory, 4), "WBHP");
  expect_close(summary.get("FOPT"), summary_column(directory, 3), "FOPT");
}

TEST(EclipseTools, ExportOfAHandWrittenDeckBuildsTheGridFromTheCellSizes)
{
  ScratchDirectory directory;
  write_hand_written_twin(directory);
  ASSERT_EQ(run_quill(directory, {"CASE", "."}).exit_status, 0);
  const QuillRun exported = run_program(directory, QUILL_EXPORT_BINARY, {"CASE.fip", "."});
  ASSERT_EQ(exported.exit_status, 0) << exported.err;
  Opm::EclIO::EGrid grid(directory.path() + "CASE.EGRID");
  std::array<double, 8> x, y, z;
  grid.getCellCorners({3, 2, 1}, x, y, z);
  EXPECT_NEAR(x[1] - x[0], 40.0, 1e-4);
  EXPECT_NEAR(y[2] - y[0], 50.0, 1e-4);
  EXPECT_NEAR(z[0], 10.0, 1e-4); // the second layer's top; the first starts at depth 0
  EXPECT_NEAR(z[4] - z[0], 10.0, 1e-4);
}

TEST(EclipseTools, ExportRefusesARunThatDidNotFinishAndWritesNothing)
{
  ScratchDirectory directory;
  write_hand_written_twin(directory);
  ASSERT_EQ(run_quill(directory, {"CASE", "."}).exit_status, 0);
  const auto before = directory.entries();

  std::filesystem::remove(directory.path() + "CASE_PRESSURE_5.grdecl");
  QuillRun refused = run_program(directory, QUILL_EXPORT_BINARY, {"CASE", "."});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.err, "Error: The result file ./CASE_PRESSURE_5.grdecl is missing: the run "
                         "did not finish. Run quill on the deck first!\n");

  ASSERT_EQ(run_quill(directory, {"CASE", "."}).exit_status, 0);
  std::filesystem::last_write_time(directory.path() + "CASE.fip",
                                   std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  refused = run_program(directory, QUILL_EXPORT_BINARY, {"CASE", "."});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.err.find(" is older than the deck ./CASE.fip. Run quill on the deck first!"),
            std::string::npos)
    << refused.err;
  EXPECT_EQ(directory.entries(), before);
}
