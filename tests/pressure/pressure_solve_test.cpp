#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "input_error.h"
#include "pressure_test_decks.h"

using orr::quill::OneDimSolver;
using orr::testing::radial_gas_solver;

namespace
{
  void expect_declining_rate_and_integrated_cumulative(const OneDimSolver &solver)
  {
    const auto &t = solver.get_report_times();
    const auto &q = solver.get_rates();
    const auto &Q = solver.get_cumulative();
    ASSERT_EQ(q.size(), t.size());
    double cumulative = 0.0;
    for (std::size_t s = 0; s < t.size(); ++s)
    {
      cumulative += (t[s] - (s == 0 ? 0.0 : t[s - 1])) * q[s];
      EXPECT_DOUBLE_EQ(Q[s], cumulative);
      EXPECT_GT(q[s], 0.0);
      if (s > 0)
      {
        EXPECT_LT(q[s], q[s - 1]) << s;
      }
    }
  }
} // namespace

TEST(PressureSolve, GasDepletionUnderBottomHolePressure)
{
  OneDimSolver solver = radial_gas_solver("WCONPROD\n300 BHP 1000 0 25\n/\n");
  solver.solve();

  const auto &t = solver.get_report_times();
  ASSERT_EQ(t.size(), 25u);
  EXPECT_DOUBLE_EQ(t.front(), 0.01);
  EXPECT_DOUBLE_EQ(t.back(), 300.0);
  EXPECT_NEAR(t[12], std::sqrt(0.01 * 300.0), 1e-9);  // evenly spaced in ln t

  expect_declining_rate_and_integrated_cumulative(solver);
  for (int iterations : solver.get_iterations())
    EXPECT_LT(iterations, 50);
  for (double bhp : solver.get_bottom_hole_pressures())
    EXPECT_EQ(bhp, 1000.0);

  // The pressure falls toward the well and never leaves [p_wf, p_i].
  const auto &profile = solver.get_pressure_profiles().back();
  for (std::size_t i = 0; i < profile.size(); ++i)
  {
    EXPECT_GT(profile[i], 1000.0);
    EXPECT_LE(profile[i], 5000.0 + 1e-6);
    if (i > 0)
    {
      EXPECT_GE(profile[i], profile[i - 1] - 1e-6);
    }
  }
}

TEST(PressureSolve, RefinedGridReportsMeanRatesOfItsInternalSteps)
{
  // Internal steps between the reports: the rate written is the mean over each report
  // interval, so that the cumulative stays its exact integral.
  OneDimSolver solver = radial_gas_solver("TAUGRID\nREFINED\nWCONPROD\n300 BHP 1000 0 25\n/\n");
  solver.solve();
  expect_declining_rate_and_integrated_cumulative(solver);
}

TEST(PressureSolve, RateControlSwitchesToBottomHolePressureAtItsLimit)
{
  // 8000 Mscf/d cannot be held for long; the second rate row starts under rate control again
  // with a small rate that the reservoir can deliver.
  OneDimSolver solver =
    radial_gas_solver("WCONPROD\n100 GRAT 2500 8000 12\n200 GRAT 500 10 3\n/\n");
  solver.solve();
  const auto &q   = solver.get_rates();
  const auto &bhp = solver.get_bottom_hole_pressures();
  ASSERT_EQ(q.size(), 15u);

  EXPECT_NEAR(q[0], 8000.0, 8000.0 * 1e-6);  // held at the target first
  EXPECT_GT(bhp[0], 2500.0);
  std::size_t switched = 0;
  while (switched < 12 && bhp[switched] > 2500.0)
    ++switched;
  ASSERT_GT(switched, 0u);
  ASSERT_LT(switched, 12u);
  for (std::size_t s = switched; s < 12; ++s)
  {
    EXPECT_EQ(bhp[s], 2500.0);
    EXPECT_LT(q[s], 8000.0);
  }
  EXPECT_EQ(solver.model().schedule_mode[0], "BHP");
  for (std::size_t s = 12; s < 15; ++s)
    EXPECT_NEAR(q[s], 10.0, 1e-5);
}

TEST(PressureSolve, DualPorosityWithAdsorptionAndKerogenFeedsTheFractures)
{
  OneDimSolver solver = radial_gas_solver(
    "DUALPORO\nADSORB\nKEROGEN\nMTRXPERM\n0.0005\nMTRXPORO\n0.06\nMTRXCOMP\n5000 0.000001\n"
    "SIGMA\n0.05\nLANGPRESS\n1000\nLANGVOL\n3\nSIGMAMK\n0.5\nDIFFCOAL\n0.005\n"
    "WCONPROD\n300 BHP 1000 0 10\n/\n");
  solver.solve();
  expect_declining_rate_and_integrated_cumulative(solver);
  // Matrix gas flows to the fractures, kerogen gas to the matrix (both counted negative
  // toward their receiver).
  for (std::size_t s = 1; s < solver.get_rates().size(); ++s)
  {
    EXPECT_GT(solver.get_transfer_rates()[s], 0.0) << s;
    EXPECT_TRUE(std::isfinite(solver.get_diffusion_rates()[s]));
  }
}

TEST(PressureSolve, SingularNewtonSystemIsTheUsersError)
{
  // A rock compressibility of 5 1/psi (a lost exponent) makes the pore-volume multiplier
  // underflow to 0 once the pressure falls below the reference: the Newton system is singular.
  OneDimSolver solver = radial_gas_solver("RCOMPRE\n3044 5.17\nWCONPROD\n30 BHP 735 0 3\n/\n", 20);
  try
  {
    solver.solve();
    FAIL() << "the singular system was solved";
  }
  catch (const orr::InputError &error)
  {
    EXPECT_EQ(std::string(error.what()).find("\nERROR: The Newton system of the pressure solution"
                                             " cannot be solved at "),
              0u)
      << error.what();
  }
}
