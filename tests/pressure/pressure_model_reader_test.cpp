#include <gtest/gtest.h>

#include "pressure_test_decks.h"

using orr::testing::reader_error;
using orr::testing::solver_from;

namespace
{
  const std::string gas_pvt   = "PRESSURE\n2500\nPVDG\n1000 2.0 0.015\n3000 0.9 0.020\n/\n";
  const std::string oil_table = "PVDO\n1000 1.2 1.0\n5000 1.1 1.2\n/\n";
  const std::string schedule  = "WCONPROD\n30 GRAT 500 1000 10\n/\n";

  std::string gas_deck(const std::string &extra)
  {
    return "GAS\n" + extra + gas_pvt + schedule + "END\n";
  }
} // namespace

TEST(PressureModelReader, ErrorMessagesAreExact)
{
  struct Case
  {
    std::string section, message;
  };
  const std::vector<Case> cases = {
    {"OIL\n" + schedule, "\nERROR: PVT properties of oil is not found!\n"},
    {"GAS\n" + schedule, "\nERROR: PVT properties of gas is not found!\n"},
    {"GAS\nWATER\n" + gas_pvt + schedule, "\nERROR: PVT properties of water is not found!\n"},
    {"GAS\nROCKCOMP\n" + gas_pvt + schedule,
     "\nERROR: The keyword ROCKTAB is not found for rock compaction option!\n"},
    {"GAS\nKLINKENBERG\nDUALPORO\n" + gas_pvt + schedule,
     "\nERROR: The keyword COMPONENT is not found for Klinkenberg effect!\n"},
    {"OIL\nKLINKENBERG\nCOMPONENT\n1 16\n/\n" + oil_table + schedule,
     "\nERROR: The Klinkenberg effect only works for gas phase!\n"},
    {"OIL\nADSORB\n" + oil_table + schedule,
     "\nERROR: The adsorption/desorption effect only works for gas phase!\n"},
    {"OIL\nKEROGEN\n" + oil_table + schedule,
     "\nERROR: The kerogen diffusion effect only works for gas phase!\n"},
    {"WATER\nPVTW\n3000 1.02 3e-6 0.5 0 /\n" + schedule,
     "\nERROR: Please specify the hydrocarbon phase: Gas or/and Oil!\n"},
    {"GAS\nADSORB\n" + gas_pvt + schedule,
     "\nERROR: Please enable dual porosity model to consider adsorption/desorption effect!\n"},
    {"GAS\nKLINKENBERG\nCOMPONENT\n1 16\n/\n" + gas_pvt + schedule,
     "\nERROR: Please enable dual porosity model to consider Klinkenberg effect!\n"},
    {"GAS\nKEROGEN\n" + gas_pvt + schedule,
     "\nERROR: Please enable dual porosity model to consider Kerogen diffusion effect!\n"},
    {"GAS\n" + gas_pvt, "\nERROR: The well schedule WCONPROD has no rows!\n"},
    // Models whose Newton system would be singular: nothing flows to the well, or the matrix
    // has neither pore volume nor transfer to the fractures.
    {"GAS\nKR\n0\n" + gas_pvt + schedule, "\nERROR: The relative permeability KR should be positive!\n"},
    {"GAS\nDUALPORO\nMTRXPERM\n0.001\nSIGMA\n0.05\n" + gas_pvt + schedule,
     "\nERROR: The dual porosity model needs a positive matrix porosity MTRXPORO, matrix"
     " permeability MTRXPERM and shape factor SIGMA!\n"},
    {"GAS\nDUALPORO\nMTRXPORO\n0.06\nMTRXPERM\n0.001\n" + gas_pvt + schedule,
     "\nERROR: The dual porosity model needs a positive matrix porosity MTRXPORO, matrix"
     " permeability MTRXPERM and shape factor SIGMA!\n"},
    // Each report step keeps a pressure profile: a schedule of thousands of millions of steps
    // is refused before anything is allocated.
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 1000 2000000000\n60 BHP 500 0 2000000000\n/\n",
     "\nERROR: The well schedule WCONPROD asks for 4000000000 report steps; at most 100000 are"
     " allowed!\n"},
    {"GAS\nPVTG\n1000 0 2 0.01\n/\n", "Please use PVDG in this model."},
    {"GAS\nVAPOIL\n" + gas_pvt, "Please use PVTG in this model."},
    {"OIL\nPVTO\n10 1000 1.2 1\n/\n", "Please use PVDO in this model."},
    {"OIL\nDISGAS\n" + oil_table, "Please use PVTO in this model."},
    {"GAS\nPVDG\n1000 2.0 x\n/\n", "\nError in reading PVDG data!\n"},
    {"GAS\nPVDG\n1000 0 0.01\n/\n",
     "\nERROR: The formation volume factor and viscosity in PVDG should be positive!\n"},
    {"OIL\nDISGAS\nPVTO\n10 1000 1.2 -1\n/\n",
     "\nERROR: The formation volume factor and viscosity in PVTO should be positive!\n"},
    {"GAS\nPVDG\n1000 2.0 0.01\nabc 1 1\n/\n", "\nError in reading PVDG data!\n"},
    {"GAS\nROCKCOMP\nROCKTAB\n1000 1.0\n", "\nError in reading ROCKTAB data!\n"},
    {"GAS\nPVTW\n1 2 3 4 five\n/\n", "\nError in reading PVTW data!\n"},
    {"GAS\nDENSITY\n50 sixty 0.04\n", "\nError in reading DENSITY data!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 x 10\n/\n",
     "\nERROR: The keyword WCONPROD is not found!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 1000 10\n30 GRAT 500 1000 10\n/\n",
     "\nERROR: The time in the well schedule should increase!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n0 BHP 500 0 10\n/\n",
     "\nERROR: The time in the well schedule should increase!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 1000 0\n60 BHP 500 0 -2\n/\n",
     "\nERROR: The well schedule WCONPROD has no report steps!\n"},
    {"GAS\nRPTPRE\nFREQ=0\n", "\nERROR: The map frequency after FREQ= should be a positive integer!\n"},
    {"GAS\nRPTPRE\nFREQ=often\n", "\nERROR: The map frequency after FREQ= should be a positive integer!\n"},
    {"GAS\nTAUGRID\nrefined\n" + gas_pvt + schedule,
     "\nERROR: The keyword TAUGRID should be followed by UNIFORM or REFINED!\n"},
    {"GAS\nTAUGRID\n", "\nERROR: The keyword TAUGRID should be followed by UNIFORM or REFINED!\n"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(reader_error(c.section), c.message) << c.section;
}

TEST(PressureModelReader, AbsurdInputIsRefused)
{
  struct Case
  {
    std::string section, message;
  };
  const std::string dual = "DUALPORO\nMTRXPORO\n0.06\nMTRXPERM\n0.001\nSIGMA\n0.05\n";
  const std::string klinkenberg =
    dual + "KLINKENBERG\nCOMPONENT\n1 16\n/\nPORERAD\n5e-9\nALPHA\n0.8\nTORTUOSITY\n3\n";
  auto value_error = [](const std::string &keyword, const std::string &rule) {
    return "\nERROR: The value of " + keyword + " should " + rule + "!\n";
  };
  const std::vector<Case> cases = {
    {"GAS\n" + gas_pvt + "PRESSURE\n0\n" + schedule, value_error("PRESSURE", "be positive")},
    {"GAS\nPRESSURE\n-100\n" + gas_pvt.substr(gas_pvt.find("PVDG")) + schedule,
     value_error("PRESSURE", "be positive")},
    {gas_deck("SWL\n1\n"), value_error("SWL", "be at least 0 and below 1")},
    {gas_deck(dual + "KRM\n-0.5\n"), value_error("KRM", "not be negative")},
    {gas_deck(dual + "MTRXPORO\n1.2\n"), value_error("MTRXPORO", "not be above 1")},
    {gas_deck(dual + "ADSORB\nLANGPRESS\n-1000\n"), value_error("LANGPRESS", "not be negative")},
    {gas_deck(dual + "KEROGEN\nLANGVOL\n-3\n"), value_error("LANGVOL", "not be negative")},
    {gas_deck(dual + "KEROGEN\nSIGMAMK\n-0.5\n"), value_error("SIGMAMK", "not be negative")},
    {gas_deck(dual + "KEROGEN\nDIFFCOAL\n-0.005\n"), value_error("DIFFCOAL", "not be negative")},
    {gas_deck(klinkenberg + "TORTUOSITY\n-2\n"), value_error("TORTUOSITY", "be positive")},
    {gas_deck(klinkenberg + "PORERAD\n0\n"), value_error("PORERAD", "be positive")},
    {gas_deck(klinkenberg + "ALPHA\n0\n"), value_error("ALPHA", "be positive")},
    // The well produces: a pressure between 0 and the initial pressure, a rate not below 0.
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 1000 10\n60 BHP 0 0 5\n/\n",
     "\nERROR: The bottom-hole pressure in row 2 of WCONPROD should be above 0 and below the initial"
     " pressure PRESSURE!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 2500 1000 10\n/\n",
     "\nERROR: The bottom-hole pressure in row 1 of WCONPROD should be above 0 and below the initial"
     " pressure PRESSURE!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 -1000 10\n/\n",
     "\nERROR: The rate in row 1 of WCONPROD should not be negative!\n"},
    // "grat" would be a rate in scf/d, a thousandth of the rate meant.
    {"GAS\n" + gas_pvt + "WCONPROD\n30 grat 500 1000 10\n/\n",
     "\nERROR: The WCONPROD mode grat should be written BHP, GRAT or ORAT, in upper case!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 Bhp 500 0 10\n/\n",
     "\nERROR: The WCONPROD mode Bhp should be written BHP, GRAT or ORAT, in upper case!\n"},
    // Not a number, or a number followed by text: nothing of the token is taken.
    {gas_deck("SKIN\nnan\n"), "\nError in reading SKIN data!\n"},
    {gas_deck(dual + "KRM\nNaN\n"), "\nError in reading KRM data!\n"},
    {gas_deck("KR\n-nan\n"), "\nError in reading KR data!\n"},
    {gas_deck("PRESSURE\n1e5abc\n"), "\nError in reading PRESSURE data!\n"},
    {gas_deck("SWL\n0,25\n"), "\nError in reading SWL data!\n"},
    {gas_deck("NTAU\n52.5\n"), "\nError in reading NTAU data!\n"},
    {"GAS\nPRESSURE\n2500\nPVDG\n1000 0x1p3 0.015\n/\n", "\nError in reading PVDG data!\n"},
    {"GAS\n" + gas_pvt + "WCONPROD\n30 GRAT 500 1000 10abc\n/\n",
     "\nERROR: The keyword WCONPROD is not found!\n"},
    {"GAS\nRPTPRE\nFREQ=5abc\n", "\nERROR: The map frequency after FREQ= should be a positive integer!\n"},
    // Every row is read; a table too long to be meant is refused, not cut.
    {"OIL\nWATER\nSWOF\n" + [] {
       std::string rows;
       for (int r = 0; r <= 100000; ++r)
         rows += "0.5 0.1 0.2\n";
       return rows;
     }() + "/\n",
     "\nERROR: SWOF has more than 100000 rows!\n"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(reader_error(c.section), c.message) << c.section.substr(0, 300);

  // The Part's limit of 200 rows per keyword no longer cuts tables or schedules.
  std::string table = "PVDG\n", steps = "WCONPROD\n";
  for (int r = 1; r <= 250; ++r)
  {
    table += std::to_string(1000 + r) + " 1.0 0.02\n";
    steps += std::to_string(r) + " GRAT 500 1000 1\n";
  }
  const auto solver = solver_from("GAS\nPRESSURE\n2500\n" + table + "/\n" + steps + "/\n");
  EXPECT_EQ(solver.model().gas_pressure.size(), 250u);
  EXPECT_EQ(solver.model().schedule_time.size(), 250u);
  EXPECT_EQ(solver.get_report_times().size(), 250u);
}

TEST(PressureModelReader, ReportTimesMustIncrease)
{
  // The second row's steps would start at 10.1 days, after its own end, and step back to it.
  const std::string error =
    reader_error("GAS\n" + gas_pvt + "WCONPROD\n10 BHP 500 0 3\n10.05 BHP 500 0 3\n/\n");
  EXPECT_EQ(error.find("\nERROR: The report times of the well schedule do not increase at 10.07"),
            0u) << error;
  // One step ends exactly at the row's time.
  EXPECT_EQ(reader_error("GAS\n" + gas_pvt + "WCONPROD\n10 BHP 500 0 3\n10.05 BHP 500 0 1\n/\n"), "");
}

TEST(PressureModelReader, KeywordsMustMatchWholeLines)
{
  // "WATER " is no keyword, so no PVTW is required; MTRXPERM before DUALPORO is skipped and its
  // value line with it.
  const auto solver = solver_from(
    gas_deck("WATER \nMTRXPERM\n0.5\nDUALPORO\nMTRXPORO\n0.07\nSIGMA\n0.05\nMTRXPERM\n0.002\n"));
  EXPECT_FALSE(solver.model().water);
  EXPECT_TRUE(solver.model().dualporo);
  EXPECT_EQ(solver.model().matrix_permeability, 0.002);
  EXPECT_EQ(solver.model().matrix_porosity, 0.07);
}

TEST(PressureModelReader, ScalarsDefaultsAndConversions)
{
  const auto defaults = solver_from(gas_deck(""));
  EXPECT_EQ(defaults.model().kr, 1.0);
  EXPECT_EQ(defaults.model().krm, 1.0);
  EXPECT_EQ(defaults.model().well_radius, 0.5);
  EXPECT_EQ(defaults.model().map_frequency, 100);
  EXPECT_EQ(defaults.model().water_density, 62.9549);
  EXPECT_FALSE(defaults.model().rptpre);
  EXPECT_EQ(defaults.model().tau_grid, orr::quill::PressureModel::TauGrid::uniform);
  EXPECT_EQ(solver_from(gas_deck("TAUGRID\nREFINED\n")).model().tau_grid,
            orr::quill::PressureModel::TauGrid::refined);

  for (const std::string keyword : {"RCOMP", "RCOMPRE"})
  {
    const auto solver = solver_from(gas_deck(keyword + "\n3000 0.000003\n"));
    EXPECT_EQ(solver.model().rock_reference_pressure, 3000.0);
    EXPECT_EQ(solver.model().rock_compressibility, 0.000003);
  }

  const auto solver = solver_from(gas_deck("DUALPORO\nMTRXPORO\n0.06\nSIGMA\n0.05\nKLINKENBERG\n"
                                           "TEMPERATURE\n200\nCOMPONENT\n1 16\n/\nPORERAD\n5e-9\nALPHA\n0.8\n"
                                           "TORTUOSITY\n3\nRPTPRE\nFREQ=5\n"));
  EXPECT_DOUBLE_EQ(solver.model().temperature, 659.67);
  EXPECT_EQ(solver.model().map_frequency, 5);
  EXPECT_TRUE(solver.model().rptpre);

  const auto &m = solver.model();
  EXPECT_DOUBLE_EQ(m.gas_b[0], 2.0 * 5.6145833334 / 1000);
  // Evaluated as written, left to right: for 6.0 and 0.65 the product with the one factor
  // 5.6145833334 / 1000 differs in the last bit.
  const auto as_written = solver_from("GAS\nVAPOIL\nPRESSURE\n2500\nPVTG\n1000 6.0 6.0 0.015\n"
                                      "3000 0.65 0.65 0.02\n/\n" + schedule).model();
  EXPECT_EQ(as_written.gas_b, (std::vector<double>{6.0 * 5.6145833334 / 1000, 0.65 * 5.6145833334 / 1000}));
  EXPECT_EQ(as_written.rv, as_written.gas_b);
  EXPECT_DOUBLE_EQ(m.gas_inverse_b[1], 1.0 / (0.9 * 5.6145833334 / 1000));
  EXPECT_DOUBLE_EQ(m.gas_inverse_mu_b[1], 1.0 / (0.020 * 0.9 * 5.6145833334 / 1000));

  ASSERT_EQ(m.schedule_time.size(), 1u);
  EXPECT_EQ(m.schedule_time[0], 30.0);
  EXPECT_EQ(m.schedule_mode[0], "GRAT");
  EXPECT_EQ(m.schedule_first_value[0], 500.0);
  EXPECT_EQ(m.schedule_second_value[0], 1000000.0);
  EXPECT_EQ(m.schedule_step_count[0], 10);
}

TEST(PressureModelReader, TableRowsAreTokens)
{
  // Rows spanning lines, several rows on a line, a comment inside, more rows appended by a
  // later occurrence, the closing "/" glued to the last value.
  const auto solver = solver_from("OIL\nPRESSURE\n5000\nPVDO\n1000 1.2\n1.0 2000 1.18 1.05\n-- a comment\n"
                                  "3000 1.16 1.1/\nPVDO\n4000 1.14 1.15 /\n"
                                  "WCONPROD\n10 ORAT 500 100 2.9 extra words\n"
                                  "20 BHP 400 0 1\n/\nEND\nGAS\n");
  const auto &m = solver.model();
  EXPECT_EQ(m.oil_pressure, (std::vector<double>{1000, 2000, 3000, 4000}));
  EXPECT_EQ(m.oil_mu, (std::vector<double>{1.0, 1.05, 1.1, 1.15}));
  EXPECT_FALSE(m.gas);  // after END nothing is read
  ASSERT_EQ(m.schedule_time.size(), 2u);
  EXPECT_DOUBLE_EQ(m.schedule_second_value[0], 100 * 5.6145833334);
  EXPECT_EQ(m.schedule_step_count[0], 2);
  EXPECT_EQ(m.schedule_mode[1], "BHP");
}

TEST(PressureModelReader, LineAfterRptpreWithoutFrequencyIsStillRead)
{
  const auto solver = solver_from("GAS\nRPTPRE\n" + gas_pvt + schedule);
  EXPECT_TRUE(solver.model().rptpre);
  EXPECT_EQ(solver.model().map_frequency, 100);
  EXPECT_EQ(solver.model().gas_pressure.size(), 2u);
}

TEST(PressureModelReader, UnreadableScalarIsItsKeywordsReadingError)
{
  // Ending the section there would report the schedule after it as missing, or, with
  // nothing missing, run on the default value.
  EXPECT_EQ(reader_error("GAS\n" + gas_pvt + "PRESSURE\nhigh\n" + schedule),
            "\nError in reading PRESSURE data!\n");
  EXPECT_EQ(reader_error("GAS\n" + gas_pvt + schedule + "WELLRADIUS\n"),
            "\nError in reading WELLRADIUS data!\n");
}

TEST(PressureModelReader, OverlongLineIsRefused)
{
  EXPECT_EQ(reader_error("GAS\n" + std::string(300, 'x') + "\n" + gas_pvt + schedule),
            "\nERROR: A line of the pressure-model section is longer than 255 characters!\n");
}
