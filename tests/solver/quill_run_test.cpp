// Runs the built quill on small decks in scratch directories.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  std::string without_seconds(const std::string &text)
  {
    return std::regex_replace(text, std::regex("[0-9][0-9.e+-]* seconds\\."), "N seconds.");
  }

  // A row of four cells along I, 2 ft long, k = 1 md, phi = 0.25, mu = 1 cp, ct = 1 /psi:
  // sqrt(alpha) = 2 ft / raw tau unit, so each face adds exactly 1 to tau.
  const std::string ROW_DECK = "DIMENS\n4 1 1\nDX\n2\nDY\n1\nDZ\n1\nPORO\n0.25\nPERMX\n1\n"
                               "COMPLOC\n1 1 1\n/\n"
                               "INIT_TOTAL_COMPRESSIBILITY\n1\nINIT_VISCOSITY\n1\n";

  const std::string TAU_ONLY_STDOUT = "Reading above information costs ........N seconds.\n"
                                      "Running Fast Marching Algorithm costs ..N seconds.\n"
                                      "Writing results costs ..................N seconds.\n"
                                      "Fast Marching Simulation is completed!\n";
} // namespace

TEST(QuillRun, RowOfEqualCellsGivesResultsKnownByHand)
{
  ScratchDirectory run;
  run.write("row.fip", ROW_DECK);
  const QuillRun result = run_quill(run, {"row.fip", run.path()});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(without_seconds(result.out), TAU_ONLY_STDOUT);

  EXPECT_EQ(run.read("well_prop.txt"),
            "K 2 1 1 1 1 1 0.25 \n\nsum(k*h) = 1\nsum(phi*h) = 0.25\n");
  EXPECT_EQ(run.read("row_tau_solutions.csv"),
            "0,0.5,2,0,0.5,2\n1,1,4,1,1,4\n2,1.5,6,2,1.5,6\n3,2,8,3,2,8\n");
  // T = sqrt(158.03) tau; a line of cells divides T^2 by 2.
  EXPECT_EQ(run.read("row.tau.grdecl"), "DTOF_sqrt(days)\n0\n12.571\n25.142\n37.713\n/\n");
  EXPECT_EQ(run.read("row.time.grdecl"), "Physical_Time(days)\n0\n79.015\n316.06\n711.135\n/\n");
  EXPECT_EQ(run.entries(), (std::vector<std::string>{"row.fip", "row.tau.grdecl",
                                                     "row.time.grdecl", "row_tau_solutions.csv",
                                                     "well_prop.txt"}));
}

TEST(QuillRun, DirectoryArgumentForms)
{
  // quill looks for <directory><root>.fip; the run directory takes one separator.
  ScratchDirectory run;
  run.write("row.fip", ROW_DECK);
  std::string without_separator = run.path();
  without_separator.pop_back();
  for (const std::string &directory : {without_separator, without_separator + "\""})
    {
      const QuillRun result = run_quill(run, {"row", directory});
      EXPECT_EQ(result.exit_status, 0) << directory << ": " << result.err;
    }
  EXPECT_EQ(run_quill(run, {"row"}).exit_status, 0);
  EXPECT_TRUE(run.exists("row_tau_solutions.csv"));

  const QuillRun upper_case = run_quill(run, {"row.FIP"});
  EXPECT_EQ(upper_case.exit_status, 1);
  EXPECT_EQ(upper_case.err, "Error: Cannot find the FIP file!\n");
}

TEST(QuillRun, UsageErrorsReadAndWriteNothing)
{
  ScratchDirectory run;
  run.write("row.fip", ROW_DECK);
  for (const std::vector<std::string> &arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"row", ".", "extra"}})
    {
      const QuillRun result = run_quill(run, arguments);
      EXPECT_EQ(result.exit_status, 1);
      EXPECT_EQ(result.err, "Please follow this format: exe_name root_name <directory>\n");
      EXPECT_EQ(result.out, "");
    }
  EXPECT_EQ(run.entries(), std::vector<std::string>{"row.fip"});
}

TEST(QuillRun, DeckFaultsWriteNothing)
{
  // The fault comes after everything else was read: the summary file must not appear.
  const struct
  {
    std::string deck, message;
  } cases[] = {
    {ROW_DECK + "COMPLOC\n5 1 1\n/\n",
     "\nError in the COMPLOC data: should be smaller than DIMENS!\n"},
    {ROW_DECK + "PERMZ\nINCLUDE\nmissing.inc\n", "\nError in reading PERMZ data!\n"},
    {"DIMENS\n4 1 1\nDX\n2\nDY\n1\nDZ\n1\nPORO\n0.25\nPERMX\n1\nCOMPLOC\n1 1 1\n/\n",
     "Error: Initial total compressibility or viscosity is not defined!\n"},
  };
  for (const auto &c : cases)
    {
      ScratchDirectory run;
      run.write("row.fip", c.deck);
      const QuillRun result = run_quill(run, {"row"});
      EXPECT_EQ(result.exit_status, 1) << c.message;
      EXPECT_EQ(result.err, c.message);
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(run.entries(), std::vector<std::string>{"row.fip"}) << c.message;
    }
}

TEST(QuillRun, ResultFileThatCannotBeWrittenEndsWithStatusTwo)
{
  // A directory in the way of a result file makes writing fail.
  for (const std::string blocked : {"row_tau_solutions.csv", "well_prop.txt"})
    {
      ScratchDirectory run;
      run.write("row.fip", ROW_DECK);
      std::filesystem::create_directory(run.path() + blocked);
      const QuillRun result = run_quill(run, {"row"});
      EXPECT_EQ(result.exit_status, 2) << blocked;
      EXPECT_NE(result.err.find(blocked), std::string::npos) << result.err;
      EXPECT_EQ(result.out.find("Fast Marching Simulation is completed!"), std::string::npos);
    }
}
