#include <cmath>

#include <gtest/gtest.h>

#include "exceptions.h"
#include "input_error.h"
#include "pressure_test_decks.h"

using orr::quill::OneDimSolver;
using orr::testing::solver_from;

TEST(Interpolation, FlatBeyondTheEndsLinearBetween)
{
  const std::vector<double> x{1.0, 2.0, 4.0}, y{10.0, 20.0, 0.0};
  EXPECT_EQ(OneDimSolver::interpolate(x, y, 0.5), 10.0);
  EXPECT_EQ(OneDimSolver::interpolate(x, y, 1.0), 10.0);
  EXPECT_EQ(OneDimSolver::interpolate(x, y, 2.0), 20.0);
  EXPECT_DOUBLE_EQ(OneDimSolver::interpolate(x, y, 1.25), 12.5);
  EXPECT_DOUBLE_EQ(OneDimSolver::interpolate(x, y, 3.0), 10.0);
  EXPECT_EQ(OneDimSolver::interpolate(x, y, 9.0), 0.0);

  EXPECT_EQ(OneDimSolver::interpolate(x, y, std::vector<double>{9.0, 0.0, 1.5}),
            (std::vector<double>{0.0, 10.0, 15.0}));
  EXPECT_TRUE(OneDimSolver::interpolate(x, y, std::vector<double>{}).empty());
  // A one-row table is a constant.
  EXPECT_EQ(OneDimSolver::interpolate({3.0}, {7.0}, 100.0), 7.0);
  EXPECT_EQ(OneDimSolver::interpolate({3.0}, {7.0}, std::vector<double>{1.0, 5.0}),
            (std::vector<double>{7.0, 7.0}));
}

TEST(Interpolation, EmptyAndDescendingTablesAreRefused)
{
  const auto message = [](auto lookup) -> std::string {
    try
    {
      lookup();
    }
    catch (const orr::StandardExceptions::ExcIo &error)
    {
      return error.what();
    }
    return "";
  };
  const std::vector<double> empty, descending{2.0, 1.0}, equal{1.0, 1.0}, y{1.0, 2.0};
  for (const std::string &text :
       {message([&] { OneDimSolver::interpolate(empty, y, 1.0); }),
        message([&] { OneDimSolver::interpolate(y, empty, std::vector<double>{1.0}); })})
    EXPECT_NE(text.find("IO error: The interpolation table is empty."), std::string::npos) << text;
  for (const std::string &text :
       {message([&] { OneDimSolver::interpolate(descending, y, 1.0); }),
        message([&] { OneDimSolver::interpolate(equal, y, std::vector<double>{}); })})
  {
    EXPECT_NE(text.find("IO error: The interpolation table should be in ascending order."),
              std::string::npos);
    EXPECT_NE(text.find("x[0] < x[1]"), std::string::npos);
  }
  // Only the first two rows are checked.
  EXPECT_NO_THROW(OneDimSolver::interpolate({1.0, 2.0, 1.5}, {1.0, 2.0, 3.0}, 1.0));
}

namespace
{
  const std::string gas_section = "GAS\nPRESSURE\n2000\nSWL\n0.25\nRCOMP\n2000 0.00001\n"
                                  "PVDG\n1000 2.0 0.015\n3000 0.8 0.020\n/\n"
                                  "WCONPROD\n30 BHP 500 0 10\n/\n";
  const double bg_factor = 5.6145833334 / 1000;
} // namespace

TEST(FluidProperties, InterpolatesInverseVolumeFactorAndInverseMobility)
{
  const OneDimSolver solver = solver_from(gas_section);
  // Halfway between the rows: 1/B and 1/(mu B) are averaged, not B and mu.
  const double inv_b    = 0.5 * (1.0 / (2.0 * bg_factor) + 1.0 / (0.8 * bg_factor));
  const double inv_mu_b = 0.5 * (1.0 / (0.015 * 2.0 * bg_factor) + 1.0 / (0.020 * 0.8 * bg_factor));
  EXPECT_DOUBLE_EQ(solver.formation_volume_factor(2000.0), 1.0 / inv_b);
  EXPECT_DOUBLE_EQ(solver.viscosity(2000.0), 1.0 / inv_mu_b * inv_b);

  // One-sided derivative toward lower pressure: inside a row interval it is the exact slope
  // of B = 1 / (linear 1/B).
  const double p      = 2000.0;
  const double slope  = (1.0 / (0.8 * bg_factor) - 1.0 / (2.0 * bg_factor)) / 2000.0;
  const double b      = solver.formation_volume_factor(p);
  EXPECT_NEAR(solver.formation_volume_factor_derivative(p), -b * b * slope, 1e-6 * b * b * slope);
  const double mu_fd = (solver.viscosity(p - 0.0001) - solver.viscosity(p)) / -0.0001;
  EXPECT_DOUBLE_EQ(solver.viscosity_derivative(p), mu_fd);
  // Beyond the table the properties are flat.
  EXPECT_EQ(solver.formation_volume_factor_derivative(500.0), 0.0);
}

TEST(FluidProperties, InitialTotalCompressibility)
{
  OneDimSolver solver = solver_from(gas_section);
  solver.compute_initial_properties();
  const double b  = solver.formation_volume_factor(2000.0);
  const double cf = b * (1.0 / solver.formation_volume_factor(1999.9999) - 1.0 / b) / -0.0001;
  EXPECT_DOUBLE_EQ(solver.get_initial_total_compressibility(), 0.75 * cf + 0.00001);
  EXPECT_DOUBLE_EQ(solver.get_initial_viscosity(), solver.viscosity(2000.0));

  // A table that starts above the initial pressure is flat there; with no rock
  // compressibility nothing could ever flow.
  OneDimSolver flat = solver_from("GAS\nPRESSURE\n500\nPVDG\n1000 2.0 0.015\n3000 0.8 0.020\n/\n"
                                  "WCONPROD\n30 BHP 400 0 10\n/\n");
  try
  {
    flat.compute_initial_properties();
    FAIL() << "no error for a zero total compressibility";
  }
  catch (const orr::InputError &error)
  {
    EXPECT_NE(std::string(error.what()).find("total compressibility"), std::string::npos);
  }
}

TEST(RockProperties, ExponentialLawAndTables)
{
  const OneDimSolver exponential = solver_from(gas_section);
  EXPECT_DOUBLE_EQ(exponential.pore_volume_multiplier(3000.0), std::exp(0.01));
  EXPECT_DOUBLE_EQ(exponential.pore_volume_multiplier_derivative(3000.0), 0.00001 * std::exp(0.01));
  EXPECT_EQ(exponential.transmissibility_multiplier(3000.0), 1.0);
  EXPECT_EQ(exponential.transmissibility_multiplier_derivative(3000.0), 0.0);

  const OneDimSolver table =
    solver_from("GAS\nPRESSURE\n2000\nROCKCOMP\nROCKTAB\n1000 0.9 0.8\n3000 1.1 1.2\n/\n"
                "PVDG\n1000 2.0 0.015\n3000 0.8 0.020\n/\nWCONPROD\n30 BHP 500 0 10\n/\n");
  EXPECT_DOUBLE_EQ(table.pore_volume_multiplier(2000.0), 1.0);
  EXPECT_DOUBLE_EQ(table.transmissibility_multiplier(2500.0), 1.1);
  EXPECT_NEAR(table.pore_volume_multiplier_derivative(2000.0), 0.0001, 1e-9);
  EXPECT_NEAR(table.transmissibility_multiplier_derivative(2000.0), 0.0002, 1e-9);
  EXPECT_EQ(table.pore_volume_multiplier(5000.0), 1.1);
}

TEST(AdsorptionAndSlip, LangmuirIsothermAndApparentPermeability)
{
  const OneDimSolver solver = solver_from(
    "GAS\nPRESSURE\n2000\nDUALPORO\nADSORB\nKLINKENBERG\nLANGPRESS\n1000\nLANGVOL\n5\nMTRXPORO\n0.1\nSIGMA\n0.05\n"
    "TEMPERATURE\n200\nCOMPONENT\n1 16.043\n/\nPORERAD\n5e-9\nALPHA\n0.8\nTORTUOSITY\n3\n"
    "PVDG\n1000 2.0 0.015\n3000 0.8 0.020\n/\nWCONPROD\n30 BHP 500 0 10\n/\n");
  EXPECT_DOUBLE_EQ(solver.langmuir_concentration(1000.0), 2.5);
  EXPECT_DOUBLE_EQ(solver.langmuir_concentration_derivative(1000.0), 1000.0 * 5 / 4e6);

  // Slip flow and Knudsen diffusion raise the apparent permeability above the Darcy value of
  // the pores, r^2 phi / (8 tau), the more so the lower the pressure.
  const double darcy_md = 1.013249966e15 * 5e-9 * 5e-9 * (0.1 / 3) / 8;
  const double k_high   = solver.apparent_matrix_permeability(3000.0);
  const double k_low    = solver.apparent_matrix_permeability(1500.0);
  EXPECT_GT(k_high, darcy_md);
  EXPECT_GT(k_low, k_high);
  EXPECT_TRUE(std::isfinite(k_low));
}
