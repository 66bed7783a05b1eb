#include <cmath>

#include <gtest/gtest.h>

#include "input_error.h"
#include "pressure_test_decks.h"

using orr::quill::OneDimSolver;
using orr::testing::radial_acceptance;
using orr::testing::RadialAcceptance;
using orr::testing::solver_from;

namespace
{
  constexpr double pi       = 3.14159265358979323846;
  constexpr double infinite = 1.79769e+308;

  // Constant oil properties and c_t = 1e-5, mu = 1: with sum kh = 2e-5 and sum phih = 2 the
  // tau-to-radius factor d is 1, so tau reads as feet.
  OneDimSolver unit_solver(const std::string &extra = "")
  {
    OneDimSolver solver =
      solver_from("OIL\nPRESSURE\n3000\nRCOMP\n3000 0.00001\n" + extra +
                  "PVDO\n1000 1.2 1.0\n5000 1.2 1.0\n/\nWCONPROD\n10 BHP 1000 0 5\n/\n");
    solver.compute_initial_properties();
    return solver;
  }

  void setup(OneDimSolver &solver, const RadialAcceptance &lists)
  {
    solver.setup_grid(lists.tau, lists.pore_volume, lists.bulk_volume, lists.cell_tau);
  }

  std::string setup_error(OneDimSolver &solver, const RadialAcceptance &lists)
  {
    try
    {
      setup(solver, lists);
    }
    catch (const orr::InputError &error)
    {
      return error.what();
    }
    return "";
  }
} // namespace

TEST(TauGridSetup, NearWellNodesGuideGridAndClosingNode)
{
  OneDimSolver solver = unit_solver();
  // h 10 ft, phi 0.2, a 20 ft completed cell with r_o 4 ft; 10 000 accepted entries to 1000 ft.
  solver.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  const RadialAcceptance lists = radial_acceptance(1.0, 10.0, 0.2, 20.0, 1000.0, 9999);
  setup(solver, lists);

  const double tau_wb = std::sqrt(20.0 * 20.0 / pi);
  EXPECT_DOUBLE_EQ(solver.get_tau_wb(), tau_wb);
  EXPECT_DOUBLE_EQ(solver.get_well_index(), 0.03975770587966126 * 2e-5 / std::log(4.0 / 0.5));
  EXPECT_EQ(solver.model().ntau, 100);

  const auto &tau = solver.get_tau_nodes();
  for (unsigned k = 0; k < 6; ++k)
  {
    const double expected = 4.0 + k * (tau_wb - 4.0) / 6;
    EXPECT_DOUBLE_EQ(tau[k], expected);
    EXPECT_DOUBLE_EQ(solver.get_node_bulk_volumes()[k], 10.0 * pi * expected * expected);
    EXPECT_DOUBLE_EQ(solver.get_node_pore_volumes()[k], 2.0 * pi * expected * expected);
  }
  // About one node every second guide interval, then the last accepted entry.
  EXPECT_GE(tau.size(), 6u + 48u);
  EXPECT_LE(tau.size(), 6u + 52u);
  EXPECT_EQ(tau.back(), lists.tau.back());
  for (std::size_t k = 1; k < tau.size(); ++k)
    EXPECT_LT(tau[k - 1], tau[k]);
  for (std::size_t k = 7; k + 1 < tau.size(); ++k)
    EXPECT_GT(tau[k] - tau[k - 1], 1.5 * (1000.0 - tau_wb) / 99) << k;
}

TEST(TauGridSetup, RefinedNodesFromTheWellboreAndTheSandfaceWellIndex)
{
  const RadialAcceptance lists = radial_acceptance(1.0, 10.0, 0.2, 20.0, 1000.0, 9999);
  const double tau_wb = std::sqrt(20.0 * 20.0 / pi);
  const double two_pi_kh = 2 * pi * 2e-5;
  std::vector<double> conductance;  // of the well term, in the units of the flux terms
  for (const double skin : {0.0, 2.0})
  {
    OneDimSolver solver = unit_solver("TAUGRID\nREFINED\nSKIN\n" + std::to_string(skin) + "\n");
    solver.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
    setup(solver, lists);

    // 16 nodes a decade of radius from r_w = 0.5 ft to the completed cell's area, radial volumes.
    const auto &tau = solver.get_tau_nodes();
    const std::size_t intervals = static_cast<std::size_t>(std::ceil(16 * std::log10(tau_wb / 0.5)));
    EXPECT_DOUBLE_EQ(tau[0], 0.5);
    EXPECT_DOUBLE_EQ(tau[intervals], tau_wb);
    for (std::size_t k = 1; k <= intervals; ++k)
    {
      EXPECT_NEAR(tau[k] / tau[k - 1], std::pow(tau_wb / 0.5, 1.0 / intervals), 1e-12);
      EXPECT_DOUBLE_EQ(solver.get_node_pore_volumes()[k], 2.0 * pi * tau[k] * tau[k]);
    }
    // Beyond, the node spacing grows from there until it reaches the uniform grid's.
    const double uniform_node_spacing = 2.0 * (1000.0 - tau_wb) / 99;
    EXPECT_LT(tau[intervals + 1] - tau[intervals], 0.5 * uniform_node_spacing);
    EXPECT_GT(tau.size(), intervals + 50u);
    for (std::size_t k = intervals + 1; k < tau.size(); ++k)
      EXPECT_LT(tau[k] - tau[k - 1], 1.1 * uniform_node_spacing) << k;
    conductance.push_back(158.0250325 * solver.get_well_index());
  }
  // Without skin the well sees the steady radial flow from the first cell's centre to the
  // wellbore; a skin adds its resistance s / (2 pi k h).
  const double centre = 0.5 * (1.0 + std::pow(tau_wb / 0.5, 1.0 / 22));
  EXPECT_NEAR(conductance[0], two_pi_kh / std::log(centre), 0.05 * conductance[0]);
  EXPECT_NEAR(1.0 / conductance[1] - 1.0 / conductance[0], 2.0 / two_pi_kh, 1e-3 * 2.0 / two_pi_kh);

  // A negative skin is the larger effective well radius r_w exp(-s); one that reaches the
  // completed cell's area is refused.
  OneDimSolver stimulated = unit_solver("TAUGRID\nREFINED\nSKIN\n-2\n");
  stimulated.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  setup(stimulated, lists);
  EXPECT_DOUBLE_EQ(stimulated.get_tau_nodes()[0], 0.5 * std::exp(2.0));
  OneDimSolver too_stimulated = unit_solver("TAUGRID\nREFINED\nSKIN\n-4\n");
  too_stimulated.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  EXPECT_NE(setup_error(too_stimulated, lists).find("WELLRADIUS exp(-SKIN)"), std::string::npos);
}

TEST(TauGridSetup, InfiniteTauEntriesStayOutOfTheGrid)
{
  const RadialAcceptance finite = radial_acceptance(1.0, 10.0, 0.2, 20.0, 1000.0, 2000);
  RadialAcceptance closed      = finite;
  for (int extra = 0; extra < 3; ++extra)
  {
    closed.tau.push_back(infinite);
    closed.pore_volume.push_back(closed.pore_volume.back() + 100.0);
    closed.bulk_volume.push_back(closed.bulk_volume.back() + 500.0);
  }
  OneDimSolver a = unit_solver("NTAU\n40\n"), b = unit_solver("NTAU\n40\n");
  a.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  b.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  setup(a, finite);
  setup(b, closed);
  EXPECT_EQ(a.get_tau_nodes(), b.get_tau_nodes());
  EXPECT_EQ(a.get_node_pore_volumes(), b.get_node_pore_volumes());
}

TEST(TauGridSetup, UnbuildableNearWellGridIsRefused)
{
  const RadialAcceptance lists = radial_acceptance(1.0, 10.0, 0.2, 20.0, 1000.0, 500);

  // An elongated completed cell: its equivalent radius exceeds the radius of its area.
  OneDimSolver elongated = unit_solver();
  elongated.set_well_data(15.0, 2e-5, 2.0, 10.0, 1);
  EXPECT_NE(setup_error(elongated, lists).find("equivalent well-block radius"), std::string::npos);

  // A well wider than its well block gives no well index.
  OneDimSolver wide_well = unit_solver("WELLRADIUS\n5\n");
  wide_well.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  EXPECT_NE(setup_error(wide_well, lists).find("WELLRADIUS"), std::string::npos);
}

TEST(TauGridSetup, FewAcceptedCellsStillGiveAnAscendingGrid)
{
  OneDimSolver solver = unit_solver();
  solver.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  setup(solver, radial_acceptance(1.0, 10.0, 0.2, 20.0, 100.0, 2));
  const auto &tau = solver.get_tau_nodes();
  for (std::size_t k = 1; k < tau.size(); ++k)
    EXPECT_LT(tau[k - 1], tau[k]);
  EXPECT_DOUBLE_EQ(tau.back(), 100.0);
}

TEST(TauGridSetup, GuidePointOnTheLargestTauStillClosesAtTheLastEntry)
{
  // NTAU 5 and a largest tau below twice tau_wb: the last guide point is computed exactly and
  // equals the largest tau. The walk takes no node there (strict order), and the grid is closed
  // by the last accepted entry itself.
  OneDimSolver solver = unit_solver("NTAU\n5\n");
  solver.set_well_data(4.0, 2e-5, 2.0, 10.0, 1);
  const RadialAcceptance lists = radial_acceptance(1.0, 10.0, 0.2, 20.0, 20.0, 40);
  setup(solver, lists);

  const double largest = lists.tau.back();
  const double tau_wb  = solver.get_tau_wb();
  ASSERT_EQ(tau_wb + 4 * ((largest - tau_wb) / 4), largest);
  const auto &tau = solver.get_tau_nodes();
  EXPECT_EQ(tau.back(), largest);
  EXPECT_EQ(solver.get_node_pore_volumes().back(), lists.pore_volume.back());
  EXPECT_EQ(solver.get_node_bulk_volumes().back(), lists.bulk_volume.back());
  for (std::size_t k = 1; k < tau.size(); ++k)
    EXPECT_LT(tau[k - 1], tau[k]);
}
