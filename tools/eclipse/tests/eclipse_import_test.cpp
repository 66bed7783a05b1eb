// The import of Eclipse decks parsed by opm-common: units, cells, well, schedule, and what is
// reported as not carried over.

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "eclipse_import.h"
#include "eclipse_test_deck.h"
#include "input_error.h"
#include "quill_deck_writer.h"
#include "scratch_directory.h"

namespace
{
  using orr::eclipse::ImportedModel;
  using orr::eclipse::ParsedDeck;

  /** The model of an Eclipse deck given as text. */
  ImportedModel import_text(const std::string &deck, const std::string &well = "")
  {
    ScratchDirectory directory;
    directory.write("CASE.DATA", deck);
    const ParsedDeck parsed(directory.path() + "CASE.DATA");
    return orr::eclipse::import_model(parsed, well);
  }

  /** Every file of the quill deck a model makes, by name. */
  std::map<std::string, std::string> quill_deck_files(const ImportedModel &model)
  {
    ScratchDirectory directory;
    {
      orr::eclipse::StagedOutput output(directory.path());
      orr::eclipse::write_quill_deck(model, "CASE", "CASE.DATA", output);
      output.commit();
    }
    std::map<std::string, std::string> files;
    for (const std::string &name : directory.entries())
      files[name] = directory.read(name);
    return files;
  }

  bool contains(const std::vector<std::string> &list, const std::string &item)
  {
    return std::find(list.begin(), list.end(), item) != list.end();
  }
} // namespace

TEST(EclipseImport, MetricDeckAndItsFieldTwinMakeTheSameQuillDeck)
{
  const auto field = quill_deck_files(import_text(eclipse_test_deck("FIELD")));
  const auto metric = quill_deck_files(import_text(eclipse_test_deck("METRIC")));
  EXPECT_EQ(field, metric);
  const std::string &deck = field.at("CASE.fip");
  // The deck's own cell sizes, not the corners' 39.99999999999984.
  EXPECT_NE(deck.find("DX\n40\nDY\n50\nDZ\n10\n"), std::string::npos) << deck;
  EXPECT_NE(deck.find("PORO\nINCLUDE\nCASE_poro.inc\n"), std::string::npos) << deck;
  EXPECT_EQ(field.at("CASE_poro.inc"), "0.2 0.2 0.2 0.2 0.2 0.2 0.2 0.2 0.2 0.2\n0.2 0.2 0.25 0.25 0.25 0.25 0.25 "
                                       "0.25 0.25 0.25\n0.25 0.25 0.25 0.25\n");
  EXPECT_NE(deck.find("COMPLOC\n2 2 1\n2 2 2\n/\n"), std::string::npos) << deck;
  EXPECT_NE(deck.find("OIL\n"), std::string::npos);
  for (const char *expected : {"PRESSURE\n3000\nSWL\n0.25\n", "RCOMP\n3000  4e-06\n", "DENSITY\n50  62.4  0.05\n"})
    EXPECT_NE(deck.find(expected), std::string::npos) << expected << " in\n" << deck;
  EXPECT_NE(deck.find("PVDO\n1000  1.1  1.4\n3000  1.08  1.5\n5000  1.06  1.6\n/\n"), std::string::npos) << deck;
  EXPECT_NE(deck.find("PVTW\n3000  1.02  3e-06  0.5  0\n/\n"), std::string::npos) << deck;
  EXPECT_NE(deck.find("WELLRADIUS\n0.25\n"), std::string::npos) << deck;
  // TSTEP and DATES alike: 30 days at a rate in three steps, then the BHP to 1 July in two.
  EXPECT_NE(deck.find("WCONPROD\n30  ORAT  1000  500  3\n181  BHP  1000  0  2\n/\nEND\n"), std::string::npos)
    << deck;
}

TEST(EclipseImport, InactiveCellsAreClosedAndNetToGrossScalesPorosityAndHorizontalPermeability)
{
  const ImportedModel model = import_text(eclipse_test_deck(
    "FIELD", "ACTNUM\n 1 0 22*1 /\nNTG\n 12*1 12*0.5 /\n"));
  // cell 1 by ACTNUM
  EXPECT_EQ(model.active[1], 0);
  EXPECT_EQ(model.poro[1], 0.0);
  EXPECT_EQ(model.permx[1], 0.0);
  EXPECT_EQ(model.permz[1], 0.0);
  // cell 13, lower layer: NTG 0.5 on porosity and horizontal permeability only
  EXPECT_EQ(model.active[13], 1);
  EXPECT_DOUBLE_EQ(model.poro[13], 0.125);
  EXPECT_DOUBLE_EQ(model.permx[13], 50.0);
  EXPECT_DOUBLE_EQ(model.permy[13], 50.0);
  EXPECT_DOUBLE_EQ(model.permz[13], 10.0);
  EXPECT_DOUBLE_EQ(model.poro[0], 0.2);
  EXPECT_DOUBLE_EQ(model.dx[1], 40.0);
}

TEST(EclipseImport, PoreVolumeBelowMinpvClosesTheCell)
{
  // A cell of 40 x 50 x 10 ft and porosity 0.2 holds 4000 ft3 (113.3 m3) of pores.
  const ImportedModel model =
    import_text(eclipse_test_deck("FIELD", "MULTIPLY\n PORO 0.001 1 1 1 1 1 1 /\n/\nMINPV\n 1.0 /\n"));
  EXPECT_EQ(model.active[0], 0);
  EXPECT_EQ(model.poro[0], 0.0);
  EXPECT_EQ(model.active[1], 1);
}

TEST(EclipseImport, EveryKeywordQuillCannotRepresentIsReportedOnce)
{
  const ImportedModel model = import_text(eclipse_test_deck(
    "FIELD",
    "FAULTS\n 'F1' 1 1 1 3 1 2 'X' /\n/\nMULTFLT\n 'F1' 0.1 /\n/\nMULTX\n 24*0.5 /\nMULTZ\n 24*0.5 /\n"
    "NNC\n 1 1 1 4 3 2 0.5 /\n/\n",
    "WECON\n 'PROD' 10 /\n/\n"));
  for (const char *keyword : {"FAULTS", "MULTFLT", "MULTX", "MULTZ", "NNC", "WECON"})
    EXPECT_TRUE(contains(model.not_carried_over, keyword)) << keyword;
  EXPECT_EQ(std::count(model.not_carried_over.begin(), model.not_carried_over.end(), "FAULTS"), 1);
  for (const char *keyword : {"DX", "PORO", "PVDO", "WCONPROD", "TSTEP", "DATES", "EQUIL"})
    EXPECT_FALSE(contains(model.not_carried_over, keyword)) << keyword;
  EXPECT_TRUE(model.pressure_model);
}

TEST(EclipseImport, LiveOilAndAnInjectorLeaveATauOnlyDeck)
{
  const std::string deck = eclipse_test_deck("FIELD");
  // The injector is chosen away; its control is listed, and so is the live-oil table.
  std::string with_injector = deck;
  with_injector.replace(with_injector.find("COMPDAT"), 0,
                        "WELSPECS\n 'INJ' 'G' 4 3 5000 'WATER' /\n/\n");
  with_injector.replace(with_injector.find("TSTEP"), 0,
                        "COMPDAT\n 'INJ' 4 3 1 2 'OPEN' /\n/\nWCONINJE\n 'INJ' 'WATER' 'OPEN' 'RATE' 100 /\n/\n");
  const ImportedModel model = import_text(with_injector, "PROD");
  EXPECT_TRUE(contains(model.not_carried_over, "WCONINJE"));
  EXPECT_TRUE(contains(model.not_carried_over, "well INJ"));
  EXPECT_TRUE(model.pressure_model);

  std::string live_oil = deck;
  live_oil.replace(live_oil.find("PVDO"), live_oil.find("PVTW") - live_oil.find("PVDO"),
                   "PVTO\n 0.1 1000 1.1 1.4\n 3000 1.08 1.5 /\n 0.2 3000 1.1 1.3\n 5000 1.08 1.4 /\n/\n");
  live_oil.replace(live_oil.find("OIL\nWATER"), 0, "DISGAS\nGAS\n");
  live_oil.replace(live_oil.find("PVTW"), 0, "PVDG\n 1000 3 0.014\n 5000 0.7 0.027 /\n");
  const ImportedModel tau_only = import_text(live_oil);
  EXPECT_FALSE(tau_only.pressure_model);
  EXPECT_TRUE(contains(tau_only.not_carried_over, "PVTO"));
  EXPECT_TRUE(contains(tau_only.not_carried_over, "DISGAS"));
  const std::string fip = quill_deck_files(tau_only).at("CASE.fip");
  EXPECT_EQ(fip.find("SIMULATION"), std::string::npos);
  EXPECT_NE(fip.find("INIT_TOTAL_COMPRESSIBILITY\n1e-05\nINIT_VISCOSITY\n1\n"), std::string::npos) << fip;
}

TEST(EclipseImport, WellChoiceErrorsNameTheWells)
{
  const std::string deck = eclipse_test_deck("FIELD");
  std::string two_producers = deck;
  two_producers.replace(two_producers.find("COMPDAT"), 0, "WELSPECS\n 'P2' 'G' 4 3 5000 'OIL' /\n/\n");
  two_producers.replace(two_producers.find("TSTEP"), 0,
                        "COMPDAT\n 'P2' 4 3 1 2 'OPEN' /\n/\nWCONPROD\n 'P2' 'OPEN' 'ORAT' 100 4* 1000 /\n/\n");
  const struct
  {
    std::string deck;
    std::string well;
    std::string message;
  } cases[] = {
    {two_producers, "", "\nError: The deck has several wells (PROD, P2); choose the producer with --well NAME!\n"},
    {two_producers, "P3", "\nError: P3 is not a producing well of the deck; its producers: PROD, P2!\n"},
    {deck.substr(0, deck.find("WELSPECS")) + "TSTEP\n 10 /\nEND\n", "",
     "\nError: The deck has no producing well!\n"},
  };
  for (const auto &c : cases)
  {
    try
    {
      import_text(c.deck, c.well);
      ADD_FAILURE() << "no error for " << c.message;
    }
    catch (const orr::InputError &error)
    {
      EXPECT_EQ(error.what(), c.message);
    }
  }
  EXPECT_EQ(import_text(two_producers, "P2").completions, (std::vector<std::array<int, 3>>{{4, 3, 1}, {4, 3, 2}}));
}

TEST(EclipseImport, MissingIncludeFileIsAnErrorNotTheEndOfTheProcess)
{
  std::string deck = eclipse_test_deck("FIELD");
  deck.replace(deck.find("PROPS"), 0, "INCLUDE\n 'missing.inc' /\n");
  EXPECT_THROW(import_text(deck), std::exception);
}
