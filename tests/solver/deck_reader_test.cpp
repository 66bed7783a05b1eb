#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "deck_reader.h"
#include "input_error.h"
#include "scratch_directory.h"

using orr::quill::DeckContents;
using orr::quill::DeckReader;

namespace
{
  // 4 x 3 x 2, or 24 cells, every property constant: a deck that reads without faults.
  const std::string DIMENS_4_3_2 = "DIMENS\n4 3 2\n";
  const std::string CONSTANT_PROPERTIES =
    "DX\n10\nDY\n20\nDZ\n5\nPORO\n0.2\nPERMX\n100\n";
  const std::string FLUID = "INIT_TOTAL_COMPRESSIBILITY\n1e-5\nINIT_VISCOSITY\n0.5\n";

  std::vector<double> values_of(const orr::DataRecord<double> &record)
  {
    std::vector<double> values;
    for (unsigned int i = 0; i < record.size(); ++i)
      values.push_back(record.get_value(i));
    return values;
  }

  /** Reads `deck` (with `files` beside it) and records what the pressure reader was given. */
  struct DeckRun
  {
    ScratchDirectory         directory;
    std::vector<std::string> pressure_sections;

    DeckContents read(const std::string &deck)
    {
      directory.write("case.fip", deck);
      DeckReader reader(directory.path(), [this](std::istream &section) {
        std::string text, line;
        while (std::getline(section, line))
          text += line + "\n";
        pressure_sections.push_back(text);
      });
      return reader.read("case.fip");
    }

    /** The text of the input error that reading `deck` raises, or "" without one. */
    std::string error_of(const std::string &deck)
    {
      try
        {
          read(deck);
        }
      catch (const orr::InputError &error)
        {
          return error.what();
        }
      return "";
    }
  };
} // namespace

TEST(DeckReader, ConstantValuesFillEveryCell)
{
  DeckRun            run;
  const DeckContents deck = run.read(DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID);
  EXPECT_EQ(deck.dimensions, (std::vector<std::int32_t>{4, 3, 2}));
  EXPECT_EQ(deck.cell_count, 24u);
  EXPECT_EQ(values_of(*deck.properties.poro), std::vector<double>(24, 0.2));
  EXPECT_EQ(values_of(*deck.properties.dy), std::vector<double>(24, 20.0));
  EXPECT_EQ(deck.properties.poro->get_name(), "PORO    ");
  EXPECT_EQ(deck.properties.permy->size(), 0u);
  EXPECT_EQ(deck.properties.permz->size(), 0u);
  EXPECT_EQ(*deck.initial_total_compressibility, 1e-5);
  EXPECT_EQ(*deck.initial_viscosity, 0.5);
  EXPECT_FALSE(deck.second_order);
  EXPECT_FALSE(deck.has_pressure_model);
  EXPECT_TRUE(deck.completions.empty());
}

TEST(DeckReader, ValueLinesTakeTheLeadingNumberOnly)
{
  DeckRun            run;
  const DeckContents deck = run.read(DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID
                                     + "PORO\n   0.25 / porosity\n"
                                     + "DX\n+1.5E1\nDZ\n.5\n");
  EXPECT_EQ(values_of(*deck.properties.poro), std::vector<double>(24, 0.25));
  EXPECT_EQ(values_of(*deck.properties.dx), std::vector<double>(24, 15.0));
  EXPECT_EQ(values_of(*deck.properties.dz), std::vector<double>(24, 0.5));
}

TEST(DeckReader, OnlyExactKeywordLinesCount)
{
  // Trailing blanks, lower case, comments and unknown lines are skipped, and so are the
  // value lines after them; CR LF line ends and long lines are read like any other.
  DeckRun            run;
  const std::string  long_comment = "--" + std::string(400, 'x') + "\n";
  const DeckContents deck = run.read(
    "-- a deck\r\n\r\nDIMENS\r\n4 3 2\r\n" + long_comment
    + "DX\r\n10\r\nDY\r\n20\r\nDZ\r\n5\r\nPORO\r\n0.2\r\nPERMX\r\n100\r\n"
    + "PORO \n0.9\nporo\n0.8\n PORO\n0.7\nNOT A KEYWORD 1 2 3\n" + long_comment
    + "PERMZ\r\n7\r\nHIGH_ORDER\r\n" + FLUID);
  EXPECT_EQ(values_of(*deck.properties.poro), std::vector<double>(24, 0.2));
  EXPECT_EQ(values_of(*deck.properties.permz), std::vector<double>(24, 7.0));
  EXPECT_TRUE(deck.second_order);
}

TEST(DeckReader, DimensionsMaySpanLines)
{
  DeckRun            run;
  const DeckContents deck = run.read("DIMENS\n25 1\n   1\n" + CONSTANT_PROPERTIES + FLUID);
  EXPECT_EQ(deck.dimensions, (std::vector<std::int32_t>{25, 1, 1}));
  EXPECT_EQ(deck.properties.dx->size(), 25u);
  // The grid comes with them, every cell active.
  ASSERT_NE(deck.grid, nullptr);
  EXPECT_EQ(deck.grid->get_icell(orr::IjkIndex(24, 0, 0)), 24u);
  EXPECT_EQ(deck.grid->number_of_active_cells(), 25u);
}

TEST(DeckReader, IncludedValuesAreReadAsTokens)
{
  DeckRun run;
  std::string values;
  for (int i = 0; i < 24; ++i)
    values += std::to_string(i) + (i % 5 == 4 ? "\r\n" : "  ");
  run.directory.write("poro.inc", values + "\n99 and anything after\n");
  run.directory.write("sec ond.inc", "-- header\n");
  const DeckContents deck =
    run.read(DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID + "PERMX\nINCLUDE\nporo.inc\n"
             + "PERMY\nINCLUDE\nporo.inc\nPERMY\nINCLUDE\nporo.inc\n");
  std::vector<double> expected;
  for (int i = 0; i < 24; ++i)
    expected.push_back(i);
  EXPECT_EQ(values_of(*deck.properties.permx), expected);
  // A property given again replaces the earlier values.
  EXPECT_EQ(values_of(*deck.properties.permy), expected);
}

TEST(DeckReader, ByteOrderMarksOfWindowsEditorsAreSkipped)
{
  // The UTF-8 mark some editors put first in a file belongs to no keyword or value, in the
  // deck, in an included value file and in an included pressure-model section alike.
  const std::string mark = "\xEF\xBB\xBF";
  DeckRun           run;
  run.directory.write("model.inc", mark + "OIL\n");
  std::string values = mark;
  for (int i = 0; i < 24; ++i)
    values += "0.25 ";
  run.directory.write("poro.inc", values);
  const DeckContents deck = run.read(mark + DIMENS_4_3_2 + CONSTANT_PROPERTIES
                                     + "PORO\nINCLUDE\nporo.inc\nCOMPLOC\n1 1 1\n/\n"
                                     + "SIMULATION\nINCLUDE\nmodel.inc\n");
  EXPECT_EQ(deck.cell_count, 24u);
  EXPECT_EQ(values_of(*deck.properties.poro), std::vector<double>(24, 0.25));
  ASSERT_EQ(run.pressure_sections.size(), 1u);
  EXPECT_EQ(run.pressure_sections[0], "OIL\n");

  // A file that only starts like the mark keeps its bytes.
  EXPECT_EQ(run.error_of("\xEF\xBB" + DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID),
            "\nError: DIMENS must come before DX!\n");
}

TEST(DeckReader, PropertyFaultsNameTheKeyword)
{
  DeckRun run;
  run.directory.write("short.inc", "1 2 3\n");
  run.directory.write("repeat.inc", "3*100 " + std::string(30, '1') + "\n");
  std::string last_glued;
  for (int i = 0; i < 23; ++i)
    last_glued += "1 ";
  run.directory.write("last_glued.inc", last_glued + "5abc\n");
  run.directory.write("long_number.inc", "0." + std::string(1200, '0') + "1\n");
  const std::string prefix = DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID;
  const struct
  {
    std::string deck_tail, message;
  } cases[] = {
    {"DX\nten\n", "\nError in reading DX data!\n"},
    {"DY\n\n", "\nError in reading DY data!\n"},
    {"DZ\n-- a comment is not a value\n0.5\n", "\nError in reading DZ data!\n"},
    {"PORO\nINCLUDE\nshort.inc\n", "\nError in reading PORO data!\n"},
    {"PERMX\nINCLUDE\nrepeat.inc\n", "\nError in reading PERMX data!\n"},
    {"PERMY\nINCLUDE\n'short.inc'\n", "\nError in reading PERMY data!\n"},
    {"PERMZ\nINCLUDE\nmissing.inc /\n", "\nError in reading PERMZ data!\n"},
    {"PORO\nINCLUDE\n", "\nError in reading PORO data!\n"},
    {"PORO\nnan\n", "\nError in reading PORO data!\n"},
    {"PORO\n1.25\n", "\nError in the PORO data: should not be above 1!\n"},
    // A number with text glued to it is refused, not cut to the number in front.
    {"PORO\n1e5abc\n", "\nError in reading PORO data!\n"},
    {"PERMX\n3*100\n", "\nError in reading PERMX data!\n"},
    {"DX\n0,25\n", "\nError in reading DX data!\n"},
    {"DY\n0x1p3\n", "\nError in reading DY data!\n"},
    {"PERMZ\nINCLUDE\nlast_glued.inc\n", "\nError in reading PERMZ data!\n"},
    // Words and lines longer than anything that can be read are refused unread.
    {"PERMX\nINCLUDE\nlong_number.inc\n", "\nError in reading PERMX data!\n"},
    {"PERMY\nINCLUDE\n" + std::string(5000, 'a') + "\n", "\nError in reading PERMY data!\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(run.error_of(prefix + c.deck_tail), c.message) << c.deck_tail;
}

TEST(DeckReader, DeckLevelFaults)
{
  DeckRun           run;
  const std::string fluid_and_properties = CONSTANT_PROPERTIES + FLUID;
  const struct
  {
    std::string deck, message;
  } cases[] = {
    {"DIMENS\n4 x 2\n" + fluid_and_properties, "\nError in reading DIMENS data!\n"},
    {"DIMENS\n4 3\n", "\nError in reading DIMENS data!\n"},
    {"DIMENS\n4 3 2.5\n" + fluid_and_properties, "\nError in reading DIMENS data!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_VISCOSITY\n1e5abc\n",
     "\nError in reading INIT_VISCOSITY data!\n"},
    {DIMENS_4_3_2 + fluid_and_properties + "COMPLOC\n1 1 1abc\n/\n",
     "\nError in reading COMPLOC data!\n"},
    {"DIMENS\n4 0 2\n" + fluid_and_properties,
     "\nError in the DIMENS data: should be larger than 0!\n"},
    {"DIMENS\n-4 3 2\n" + fluid_and_properties,
     "\nError in the DIMENS data: should be larger than 0!\n"},
    {"DIMENS\n2000 2000 2000\n" + fluid_and_properties,
     "\nError in the DIMENS data: 8000000000 cells are more than the largest grid of "
     "1000000000 cells!\n"},
    {"DIMENS\n1 1 1\n" + fluid_and_properties,
     "\nError in the DIMENS data: the grid needs more than one cell!\n"},
    {DIMENS_4_3_2 + DIMENS_4_3_2 + fluid_and_properties,
     "\nError: DIMENS is given more than once!\n"},
    {"PORO\n0.2\n" + DIMENS_4_3_2 + fluid_and_properties,
     "\nError: DIMENS must come before PORO!\n"},
    {"COMPLOC\n1 1 1\n/\n" + DIMENS_4_3_2 + fluid_and_properties,
     "\nError: DIMENS must come before COMPLOC!\n"},
    {FLUID, "\nError: The keyword DIMENS is not found!\n"},
    {DIMENS_4_3_2 + "DX\n1\nDY\n1\nPORO\n0.1\nPERMX\n1\n" + FLUID,
     "\nError: The keyword DZ is not found!\n"},
    {DIMENS_4_3_2 + "DX\n1\nDY\n1\nDZ\n1\nPORO\n0.1\n" + FLUID,
     "\nError: The keyword PERMX is not found!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_VISCOSITY\nhigh\n",
     "\nError in reading INIT_VISCOSITY data!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_TOTAL_COMPRESSIBILITY\n",
     "\nError in reading INIT_TOTAL_COMPRESSIBILITY data!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_VISCOSITY\n0\n",
     "\nError in the INIT_VISCOSITY data: should be larger than 0!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_TOTAL_COMPRESSIBILITY\n-1e-6\n",
     "\nError in the INIT_TOTAL_COMPRESSIBILITY data: should be larger than 0!\n"},
    {DIMENS_4_3_2 + CONSTANT_PROPERTIES + "INIT_VISCOSITY\n0.5\n",
     "Error: Initial total compressibility or viscosity is not defined!\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(run.error_of(c.deck), c.message) << c.deck;

  ScratchDirectory empty;
  DeckReader       reader(empty.path(), [](std::istream &) {});
  try
    {
      reader.read("case.fip");
      ADD_FAILURE() << "a missing deck was read";
    }
  catch (const orr::InputError &error)
    {
      EXPECT_STREQ(error.what(), "Error: Cannot find the FIP file!\n");
    }
}

TEST(DeckReader, GridsBeyondTheComputersMemoryAreRefusedAtDimens)
{
  // 24 cells at 200 bytes each: 4.8 kB, on a computer said to have 1 kB.
  ScratchDirectory directory;
  directory.write("case.fip", DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID);
  DeckReader reader(directory.path(), [](std::istream &) {}, orr::quill::DeckLimits{1000, 1000});
  try
    {
      reader.read("case.fip");
      ADD_FAILURE() << "a grid beyond the memory was read";
    }
  catch (const orr::InputError &error)
    {
      EXPECT_STREQ(error.what(), "\nError in the DIMENS data: 24 cells need about 4.8 kB of memory, "
                                 "more than the 1 kB of this computer!\n");
    }
}

TEST(DeckReader, OnlyRegularFilesAreRead)
{
  // A pipe would keep the reader waiting for a writer for ever; a directory holds no text.
  DeckRun run;
  ASSERT_EQ(mkfifo((run.directory.path() + "pipe").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((run.directory.path() + "folder").c_str(), 0700), 0);
  const std::string prefix = DIMENS_4_3_2 + CONSTANT_PROPERTIES + FLUID;
  for (const std::string name : {"pipe", "folder"})
    {
      EXPECT_EQ(run.error_of(prefix + "PORO\nINCLUDE\n" + name + "\n"), "\nError in reading PORO data!\n");
      EXPECT_EQ(run.error_of(prefix + "COMPLOC\n1 1 1\n/\nSIMULATION\nINCLUDE\n" + name + "\n"),
                "\nError: Cannot find the SIMULATION include file " + name + "!\n");
      DeckReader reader(run.directory.path(), [](std::istream &) {});
      try
        {
          reader.read(name);
          ADD_FAILURE() << "the deck " << name << " was read";
        }
      catch (const orr::InputError &error)
        {
          EXPECT_STREQ(error.what(), "Error: Cannot find the FIP file!\n");
        }
    }
}

TEST(DeckReader, CompletionsInDeckOrder)
{
  // 20 x 20 x 3: an index equal to the dimension is inside (indices are 1-based).
  DeckRun           run;
  const std::string prefix = "DIMENS\n20 20 3\n" + CONSTANT_PROPERTIES + FLUID;
  const DeckContents deck =
    run.read(prefix + "COMPLOC\n10 10 1\n12 12 3 1 1\n/\nCOMPLOC\n20 20 3  -- well\n/\n");
  ASSERT_EQ(deck.completions.size(), 3u);
  EXPECT_EQ(deck.completions[1].i, 12);
  EXPECT_EQ(deck.completions[1].k, 3);
  EXPECT_EQ(deck.completions[2].j, 20);

  const struct
  {
    std::string list, message;
  } cases[] = {
    {"21 1 1\n/\n", "\nError in the COMPLOC data: should be smaller than DIMENS!\n"},
    {"1 1 4\n/\n", "\nError in the COMPLOC data: should be smaller than DIMENS!\n"},
    {"0 1 1\n/\n", "\nError in the COMPLOC data: should be larger than 0!\n"},
    {"1 -2 1\n/\n", "\nError in the COMPLOC data: should be larger than 0!\n"},
    {"1 1\n/\n", "\nError in reading COMPLOC data!\n"},
    {"-- well\n1 1 1\n/\n", "\nError in reading COMPLOC data!\n"},
    {"1 1 1\n", "\nError in reading COMPLOC data!\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(run.error_of(prefix + "COMPLOC\n" + c.list), c.message) << c.list;
}

TEST(DeckReader, LongCompletionListsAreKept)
{
  DeckRun     run;
  std::string list;
  for (int n = 0; n < 1500; ++n)
    list += std::to_string(n % 40 + 1) + " " + std::to_string(n / 40 + 1) + " 1\n";
  const DeckContents deck = run.read("DIMENS\n40 40 1\n" + CONSTANT_PROPERTIES + FLUID
                                     + "COMPLOC\n" + list + "/\n");
  ASSERT_EQ(deck.completions.size(), 1500u);
  EXPECT_EQ(deck.completions.back().i, 20);
  EXPECT_EQ(deck.completions.back().j, 38);
}

TEST(DeckReader, SimulationHandsOverTheRestOfTheDeck)
{
  DeckRun            run;
  const std::string  prefix = DIMENS_4_3_2 + CONSTANT_PROPERTIES + "COMPLOC\n1 1 1\n/\n";
  const DeckContents deck =
    run.read(prefix + "SIMULATION\nOIL\nGAS\nEND\nPORO\n0.9\n");
  EXPECT_TRUE(deck.has_pressure_model);
  // The line right after SIMULATION is lost; the keyword section ends at SIMULATION.
  ASSERT_EQ(run.pressure_sections.size(), 1u);
  EXPECT_EQ(run.pressure_sections[0], "GAS\nEND\nPORO\n0.9\n");
  EXPECT_EQ(values_of(*deck.properties.poro), std::vector<double>(24, 0.2));
  EXPECT_FALSE(deck.initial_viscosity.has_value());

  run.directory.write("model.inc", "OIL\nEND\n");
  run.read(prefix + "SIMULATION\r\nINCLUDE\r\nmodel.inc\r\nnever read\n");
  ASSERT_EQ(run.pressure_sections.size(), 2u);
  EXPECT_EQ(run.pressure_sections[1], "OIL\nEND\n");
}

TEST(DeckReader, SimulationFaults)
{
  DeckRun           run;
  const std::string prefix = DIMENS_4_3_2 + CONSTANT_PROPERTIES;
  const struct
  {
    std::string deck_tail, message;
  } cases[] = {
    {"SIMULATION\nINCLUDE\nmissing.inc\n",
     "\nError: Cannot find the SIMULATION include file missing.inc!\n"},
    {"SIMULATION\n\nEND\n",
     "\nError: SIMULATION needs at least one completion cell in COMPLOC!\n"},
    {"COMPLOC\n2 2 1\n3 1 2\n2 2 1\n/\nSIMULATION\n\nEND\n",
     "\nError in the COMPLOC data: the cell 2 2 1 is listed twice!\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(run.error_of(prefix + c.deck_tail), c.message) << c.deck_tail;

  // Without a pressure model the same cell may seed the march twice.
  EXPECT_EQ(run.error_of(prefix + FLUID + "COMPLOC\n2 2 1\n2 2 1\n/\n"), "");
}
