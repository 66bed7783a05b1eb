// Broken decks run through the built quill: each ends in a defined outcome, and a run that
// fails leaves no result file behind, neither a finished-looking one nor a temporary one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  // A row of four cells along I, 2 ft long, k = 1 md, phi = 0.25, mu = 1 cp, ct = 1 /psi:
  // each open face adds exactly 1 to tau.
  std::string row_deck(const std::string &dx = "2", const std::string &poro = "0.25",
                       const std::string &permx = "1")
  {
    return "DIMENS\n4 1 1\nDX\n" + dx + "\nDY\n1\nDZ\n1\nPORO\n" + poro + "\nPERMX\n" + permx
           + "\nCOMPLOC\n1 1 1\n/\nINIT_TOTAL_COMPRESSIBILITY\n1\nINIT_VISCOSITY\n1\n";
  }

  const std::string ROW_DECK = row_deck();

  // A 5 x 5 x 2 box with a dry-gas pressure model after SIMULATION.
  const std::string BOX_GRID = "DIMENS\n5 5 2\nDX\n50\nDY\n50\nDZ\n10\nPORO\n0.1\nPERMX\n";
  const std::string BOX_WELL = "COMPLOC\n3 3 1\n3 3 2\n/\n";
  const std::string GAS_TABLE = "GAS\nPRESSURE\n5000\nSWL\n0.2\n"
                                "PVDG\n"
                                "500  6.0  0.0130\n"
                                "2500 1.1  0.0180\n"
                                "5500 0.56 0.0270\n"
                                "/\n";
  const std::string SCHEDULE = "WCONPROD\n30 GRAT 500 1000 10\n/\nEND\n";

  std::string box_deck(const std::string &pressure_model, const std::string &permx = "1")
  {
    return BOX_GRID + permx + "\n" + BOX_WELL + "SIMULATION\n-- pressure model\n" + pressure_model;
  }

  using Files = std::map<std::string, std::string>;

  std::string binary_garbage()
  {
    std::string bytes;
    for (int repeat = 0; repeat < 8; ++repeat)
      for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    return bytes;
  }

  std::string with_crlf(const std::string &text)
  {
    std::string converted;
    for (const char c : text)
      converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return converted;
  }

  /** Writes the deck "case.fip" and its other input files into `run`. */
  void write_inputs(const ScratchDirectory &run, const std::string &deck, const Files &files)
  {
    run.write("case.fip", deck);
    for (const auto &[name, text] : files)
      run.write(name, text);
  }

  /** The names of the input files, sorted as ScratchDirectory::entries gives them. */
  std::vector<std::string> input_names(const Files &files)
  {
    std::vector<std::string> names{"case.fip"};
    for (const auto &entry : files)
      names.push_back(entry.first);
    std::sort(names.begin(), names.end());
    return names;
  }

  /** The entries of `run` whose text holds "nan" or "inf" in any letter case. */
  std::vector<std::string> files_with_non_finite_text(const ScratchDirectory &run)
  {
    std::vector<std::string> found;
    for (const std::string &name : run.entries())
      {
        std::string text = run.read(name);
        for (char &c : text)
          c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
          found.push_back(name);
      }
    return found;
  }

  struct FailingDeck
  {
    const char *fault;
    std::string deck;
    Files       files;
    std::string message;
  };

  std::string reading_error(const std::string &keyword)
  {
    return "\nError in reading " + keyword + " data!\n";
  }

  std::string negative_error(const std::string &keyword)
  {
    return "\nError in the " + keyword + " data: should not be negative!\n";
  }

  void expect_refused(const FailingDeck &c, const std::string &shell_setup = "")
  {
    ScratchDirectory run;
    write_inputs(run, c.deck, c.files);
    const QuillRun result = run_quill(run, {"case"}, shell_setup);
    EXPECT_EQ(result.exit_status, 1) << c.fault << ": " << result.err;
    EXPECT_EQ(result.err, c.message) << c.fault;
    EXPECT_EQ(result.out.find("Fast Marching Simulation is completed!"), std::string::npos) << c.fault;
    EXPECT_EQ(run.entries(), input_names(c.files)) << c.fault;
  }
} // namespace

TEST(MalformedDeck, BrokenGridSectionsStopWithTheirMessage)
{
  const std::string permx_included = row_deck("2", "0.25", "INCLUDE\npermx.inc");
  const std::string long_line(100000, 'x');
  const std::vector<FailingDeck> cases = {
    {"truncated in DIMENS", "DIMENS\n4 1", {}, reading_error("DIMENS")},
    {"truncated in COMPLOC", ROW_DECK.substr(0, ROW_DECK.find("/\n")), {}, reading_error("COMPLOC")},
    {"truncated before PERMX", ROW_DECK.substr(0, ROW_DECK.find("PERMX")), {},
     "\nError: The keyword PERMX is not found!\n"},
    {"truncated include file", permx_included, {{"permx.inc", "1 1 1"}}, reading_error("PERMX")},
    {"missing include file", permx_included, {}, reading_error("PERMX")},
    {"empty deck", "", {}, "\nError: The keyword DIMENS is not found!\n"},
    {"non-number value", row_deck("2", "high"), {}, reading_error("PORO")},
    {"non-number in include file", permx_included, {{"permx.inc", "1 1 one 1\n"}}, reading_error("PERMX")},
    {"NaN value", row_deck("nan"), {}, reading_error("DX")},
    {"NaN in include file", permx_included, {{"permx.inc", "1 NaN 1 1\n"}}, reading_error("PERMX")},
    {"infinite value", row_deck("2", "inf"), {}, reading_error("PORO")},
    {"negative infinite value", row_deck("-inf"), {}, reading_error("DX")},
    {"value beyond the double range", row_deck("2", "0.25", "1e400"), {}, reading_error("PERMX")},
    {"infinite in include file", permx_included, {{"permx.inc", "1 1 1 infinity\n"}}, reading_error("PERMX")},
    {"negative permeability", row_deck("2", "0.25", "-1"), {}, negative_error("PERMX")},
    {"negative permeability in include file", permx_included, {{"permx.inc", "1 1 -5 1\n"}},
     negative_error("PERMX")},
    {"negative porosity", row_deck("2", "-0.25"), {}, negative_error("PORO")},
    {"negative size", row_deck("-2"), {}, negative_error("DX")},
    {"negative thickness", row_deck() + "DZ\n-1\n", {}, negative_error("DZ")},
    {"binary garbage deck", binary_garbage(), {}, "\nError: The keyword DIMENS is not found!\n"},
    {"binary garbage include file", permx_included, {{"permx.inc", binary_garbage()}}, reading_error("PERMX")},
    {"very long value line", row_deck("2", long_line), {}, reading_error("PORO")},
    {"CR LF deck with a bad value", with_crlf(row_deck("2", "0.25", "x")), {}, reading_error("PERMX")},
  };
  for (const FailingDeck &c : cases)
    expect_refused(c);
}

// Under a 500 MB address-space limit an attempt to allocate a huge grid fails at once; under
// a 20 MB data limit a run may not hold a large file whole. The sanitizers reserve far more
// for themselves, so their builds run without the limits.
namespace
{
#if defined(__SANITIZE_ADDRESS__)
  const std::string ADDRESS_SPACE_LIMIT = "";
  const std::string DATA_LIMIT          = "";
#else
  const std::string ADDRESS_SPACE_LIMIT = "ulimit -v 500000";
  const std::string DATA_LIMIT          = "ulimit -d 20000";
#endif
} // namespace

TEST(MalformedDeck, HugeGridsAreRefusedBeforeAnythingIsAllocated)
{
  // With the limit, allocating first would end in the out-of-memory message instead.
  const std::string rest = ROW_DECK.substr(ROW_DECK.find("DX"));
  const std::string largest = " cells are more than the largest grid of 1000000000 cells!\n";
  // 10^15 cells overflow 32 bits; 2 * 10^9 fit but would take some 400 GB.
  expect_refused({"count beyond 32 bits", "DIMENS\n100000 100000 100000\n" + rest, {},
                  "\nError in the DIMENS data: 1000000000000000" + largest},
                 ADDRESS_SPACE_LIMIT);
  expect_refused({"count within 32 bits", "DIMENS\n2000 1000 1000\n" + rest, {},
                  "\nError in the DIMENS data: 2000000000" + largest},
                 ADDRESS_SPACE_LIMIT);
}

TEST(MalformedDeck, GridBeyondTheMemoryEndsWithAClearMessage)
{
  if (ADDRESS_SPACE_LIMIT.empty())
    GTEST_SKIP() << "needs the address-space limit";
  // 5 million cells fit this computer's memory, but not the limit.
  ScratchDirectory run;
  run.write("case.fip", "DIMENS\n1000 1000 5\n" + ROW_DECK.substr(ROW_DECK.find("DX")));
  const QuillRun result = run_quill(run, {"case"}, ADDRESS_SPACE_LIMIT);
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "Error: There is not enough memory for this run!\n");
  EXPECT_EQ(run.entries(), std::vector<std::string>{"case.fip"});
}

TEST(MalformedDeck, LongLinesAndPaddedValueFilesAreReadInBoundedMemory)
{
  if (DATA_LIMIT.empty())
    GTEST_SKIP() << "needs the data limit";
  // A 32 MB comment line in the deck and 32 MB of blanks before the values of an included
  // file: both are valid, and neither is ever held whole.
  const std::string padding(32 << 20, ' ');
  std::string       permx;
  for (int cell = 0; cell < 4; ++cell)
    permx += " 1";
  ScratchDirectory run;
  write_inputs(run, "--" + padding + "\n" + row_deck("2", "0.25", "INCLUDE\npermx.inc"),
               {{"permx.inc", padding + permx}});
  const QuillRun result = run_quill(run, {"case"}, DATA_LIMIT);
  EXPECT_EQ(result.exit_status, 0) << result.err;
}

TEST(MalformedDeck, BrokenPressureModelsStopWithTheirMessage)
{
  const std::string gas_table_rows = GAS_TABLE.substr(0, GAS_TABLE.find("2500"));
  const std::vector<FailingDeck> cases = {
    {"truncated table", box_deck(gas_table_rows), {}, reading_error("PVDG")},
    {"truncated schedule", box_deck(GAS_TABLE + "WCONPROD\n30 GRAT 500"), {},
     "\nERROR: The keyword WCONPROD is not found!\n"},
    {"missing model file", BOX_GRID + "1\n" + BOX_WELL + "SIMULATION\nINCLUDE\nmodel.inc\n", {},
     "\nError: Cannot find the SIMULATION include file model.inc!\n"},
    {"NaN pressure in a table", box_deck(gas_table_rows + "nan 1.1 0.018\n/\n" + SCHEDULE), {},
     reading_error("PVDG")},
    {"infinite volume factor", box_deck(gas_table_rows + "2500 inf 0.018\n/\n" + SCHEDULE), {},
     reading_error("PVDG")},
    {"pressure beyond the double range", box_deck(gas_table_rows + "1e400 1.1 0.018\n/\n" + SCHEDULE),
     {}, reading_error("PVDG")},
    {"pressures out of order", box_deck(gas_table_rows + "400 1.1 0.018\n/\n" + SCHEDULE), {},
     "\nERROR: The pressures in PVDG should increase from row to row!\n"},
    {"negative volume factor", box_deck(gas_table_rows + "2500 -1.1 0.018\n/\n" + SCHEDULE), {},
     "\nERROR: The formation volume factor and viscosity in PVDG should be positive!\n"},
    {"schedule time that does not increase",
     box_deck(GAS_TABLE + "WCONPROD\n30 GRAT 500 1000 10\n20 GRAT 500 1000 10\n/\n"), {},
     "\nERROR: The time in the well schedule should increase!\n"},
    {"NaN rate", box_deck(GAS_TABLE + "WCONPROD\n30 GRAT 500 nan 10\n/\n"), {},
     "\nERROR: The keyword WCONPROD is not found!\n"},
    {"non-number scalar", box_deck("GAS\nPRESSURE\nhigh\n" + GAS_TABLE.substr(4) + SCHEDULE), {},
     reading_error("PRESSURE")},
    {"scalar missing at the end", box_deck(GAS_TABLE + SCHEDULE.substr(0, SCHEDULE.find("END")) + "WELLRADIUS\n"),
     {}, reading_error("WELLRADIUS")},
    {"no gas table", box_deck("GAS\nPRESSURE\n5000\n" + SCHEDULE), {},
     "\nERROR: PVT properties of gas is not found!\n"},
    {"long line", box_deck("-- " + std::string(300, '-') + "\n" + GAS_TABLE + SCHEDULE), {},
     "\nERROR: A line of the pressure-model section is longer than 255 characters!\n"},
    {"binary garbage in a table", box_deck("GAS\nPVDG\n" + binary_garbage() + "\n/\n" + SCHEDULE), {},
     reading_error("PVDG")},
    // Found only once the pressure stage builds its grid, after fast marching.
    {"well radius beyond the well block", box_deck(GAS_TABLE + "WELLRADIUS\n1000\n" + SCHEDULE), {},
     "\nERROR: The well radius WELLRADIUS should be positive and smaller than the equivalent"
     " well-block radius of the completed cells!\n"},
    {"impermeable completed cells", box_deck(GAS_TABLE + SCHEDULE, "0"), {},
     "\nERROR: The completed cells have no permeability, porosity or thickness; the well cannot"
     " produce!\n"},
  };
  for (const FailingDeck &c : cases)
    expect_refused(c);
}

TEST(MalformedDeck, ClosedAndEmptyCellsGiveTheirDefinedResults)
{
  // Zero permeability or zero porosity in the third cell closes its faces: it is reached at
  // the infinite tau, written as 1.79769e+308, and the march ends there, leaving the fourth
  // cell at 0. Cells of zero length pass their neighbour's tau on unchanged.
  const std::string closed_tau = "DTOF_sqrt(days)\n0\n12.571\n1.79769e+308\n0\n/\n";
  const struct
  {
    const char *fault;
    std::string deck;
    Files       files;
    std::string tau_grid;
  } cases[] = {
    {"zero permeability", row_deck("2", "0.25", "INCLUDE\npermx.inc"), {{"permx.inc", "1 1 0 1\n"}},
     closed_tau},
    {"zero porosity", row_deck("2", "INCLUDE\nporo.inc"), {{"poro.inc", "0.25 0.25 0 0.25\n"}},
     closed_tau},
    {"zero sizes", row_deck("INCLUDE\ndx.inc"), {{"dx.inc", "2 0 0 2\n"}},
     "DTOF_sqrt(days)\n0\n6.2855\n6.2855\n12.571\n/\n"},
  };
  for (const auto &c : cases)
    {
      ScratchDirectory run;
      write_inputs(run, c.deck, c.files);
      const QuillRun result = run_quill(run, {"case"});
      ASSERT_EQ(result.exit_status, 0) << c.fault << ": " << result.err;
      EXPECT_EQ(run.read("case.tau.grdecl"), c.tau_grid) << c.fault;
      EXPECT_EQ(files_with_non_finite_text(run), std::vector<std::string>{}) << c.fault;
    }

  // A closed cell away from the well is left out of the pressure grid.
  ScratchDirectory run;
  const std::string permx = "INCLUDE\npermx.inc";
  std::string       values;
  for (int cell = 0; cell < 50; ++cell)
    values += cell == 0 ? "0 " : "1 ";
  write_inputs(run, box_deck(GAS_TABLE + "RPTPRE\n" + SCHEDULE, permx), {{"permx.inc", values}});
  const QuillRun result = run_quill(run, {"case"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_TRUE(run.exists("case_RATE"));
  EXPECT_TRUE(run.exists("case_PRESSURE_10.grdecl"));
  EXPECT_EQ(files_with_non_finite_text(run), std::vector<std::string>{});
}

TEST(MalformedDeck, ThinLayerBesideWideCellsIsMarchedWithoutAFailedCheck)
{
  // 10 x 10 ft cells 1e-6 ft thick: the K faces' coefficients exceed the I and J ones by
  // seven orders of magnitude, and the local update's quadratic lost its root to rounding.
  // The front crosses the layer at once, so the second layer repeats the first one's tau.
  ScratchDirectory run;
  run.write("case.fip", "DIMENS\n4 3 2\nDX\n10\nDY\n10\nDZ\n1e-6\nPORO\n0.2\nPERMX\n1\n"
                        "COMPLOC\n1 1 1\n/\nINIT_TOTAL_COMPRESSIBILITY\n1e-5\nINIT_VISCOSITY\n1\n");
  const QuillRun result = run_quill(run, {"case"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  std::vector<std::string> lines;
  std::istringstream       tau_grid(run.read("case.tau.grdecl"));
  for (std::string line; std::getline(tau_grid, line);)
    lines.push_back(line);
  ASSERT_EQ(lines.size(), 26u);
  for (std::size_t cell = 1; cell < 12; ++cell)
    EXPECT_EQ(lines[1 + 12 + cell], lines[1 + cell]) << "cell " << cell;
}

TEST(MalformedDeck, CrLfLineEndsAndLongCommentLinesReadLikePlainOnes)
{
  const std::string plain = box_deck(GAS_TABLE + SCHEDULE);
  const std::vector<std::string> names = {"case.tau.grdecl", "case_RATE", "case_RSM.csv", "well_prop.txt"};
  ScratchDirectory reference;
  write_inputs(reference, plain, {});
  ASSERT_EQ(run_quill(reference, {"case"}).exit_status, 0);

  for (const std::string &deck : {with_crlf(plain), "-- " + std::string(100000, '=') + "\n" + plain})
    {
      ScratchDirectory run;
      write_inputs(run, deck, {});
      const QuillRun result = run_quill(run, {"case"});
      ASSERT_EQ(result.exit_status, 0) << result.err;
      for (const std::string &name : names)
        EXPECT_EQ(run.read(name), reference.read(name)) << name;
    }
}

TEST(ResultFiles, FailedPressureStageLeavesAnEarlierRunAsItWas)
{
  // The user sees the error and a non-zero status; every file of the earlier run keeps its
  // text, and the failed run adds none, not even the completion summary.
  ScratchDirectory run;
  run.write("case.fip", box_deck(GAS_TABLE + SCHEDULE));
  ASSERT_EQ(run_quill(run, {"case"}).exit_status, 0);
  std::map<std::string, std::string> earlier;
  for (const std::string &name : run.entries())
    earlier[name] = run.read(name);

  const auto expect_earlier_run = [&](const std::string &fault) {
    std::vector<std::string> names;
    for (const auto &entry : earlier)
      {
        names.push_back(entry.first);
        EXPECT_EQ(run.read(entry.first), entry.second) << fault << ": " << entry.first;
      }
    EXPECT_EQ(run.entries(), names) << fault;
  };

  // An input error found in the pressure stage.
  run.write("case.fip", box_deck(GAS_TABLE + "WELLRADIUS\n1000\n" + SCHEDULE, "2"));
  earlier["case.fip"] = run.read("case.fip");
  const QuillRun refused = run_quill(run, {"case"});
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_NE(refused.err.find("WELLRADIUS"), std::string::npos) << refused.err;
  expect_earlier_run("input error");

  // A report file that cannot be put in place: the run ends without a rate curve, so that
  // the files it did write are not taken for a complete run.
  run.write("case.fip", box_deck(GAS_TABLE + SCHEDULE, "2"));
  earlier["case.fip"] = run.read("case.fip");
  std::filesystem::remove(run.path() + "case_BHP");
  std::filesystem::create_directory(run.path() + "case_BHP");
  const QuillRun blocked = run_quill(run, {"case"});
  EXPECT_EQ(blocked.exit_status, 2);
  EXPECT_EQ(blocked.err, "The file ./case_BHP could not be put in place: Is a directory.\n");
  EXPECT_FALSE(run.exists("case_RATE"));
  EXPECT_NE(run.read("case_RSM.csv"), earlier["case_RSM.csv"]);
  EXPECT_EQ(run.read("case_Cum"), earlier["case_Cum"]);
}
