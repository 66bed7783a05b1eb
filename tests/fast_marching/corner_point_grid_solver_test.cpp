#include "corner_point_grid_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data_record.h"
#include "exceptions.h"
#include "input_error.h"
#include "properties.h"
#include "test_grid.h"

namespace
{
  using orr::IjkIndex;
  using orr::quill::CornerPointGridSolver;
  using orr::quill::INFINITE_VALUE;
  using orr::testing::TestGrid;

  constexpr double VISCOSITY       = 1.0;    // cp
  constexpr double COMPRESSIBILITY = 1e-5;   // 1/psi

  /** Attaches a solver to `grid` with defined ct and mu, seeds `seeds` with 0 and marches. */
  std::vector<double> march(TestGrid &grid, const std::vector<unsigned int> &seeds,
                            bool second_order = false)
  {
    CornerPointGridSolver solver;
    solver.set_initial_total_compressibility(COMPRESSIBILITY);
    solver.set_initial_viscosity(VISCOSITY);
    solver.set_second_order(second_order);
    solver.attach_grid(grid.grid, orr::quill::UNIT_TYPE_FIELD);
    for (const unsigned int seed : seeds)
      solver.add_cell_initial_value(seed, grid.grid->get_ijk(seed), 0.0);
    solver.initialize();
    solver.march();
    return solver.get_cell_tau();
  }

  double sqrt_diffusivity(double perm, double poro)
  {
    return std::sqrt(perm / (poro * VISCOSITY * COMPRESSIBILITY));
  }
} // namespace

TEST(CornerPointGridSolver, RowOfEqualCellsGivesDistanceOverSqrtDiffusivity)
{
  struct Case
  {
    unsigned int ni, nj, nk;
    bool         second_order;
  };
  const Case cases[] = {{6, 1, 1, false}, {1, 6, 1, false}, {1, 1, 6, false},
                        {6, 1, 1, true},  {1, 6, 1, true},  {1, 1, 6, true}};
  const double h = 25.0;
  for (const Case &c : cases)
  {
    TestGrid grid(c.ni, c.nj, c.nk, h, h, h, 50.0, 0.25);
    const std::vector<double> tau = march(grid, {0}, c.second_order);
    for (unsigned int n = 0; n < 6; ++n)
      EXPECT_NEAR(tau[n], n * h / sqrt_diffusivity(50.0, 0.25), 1e-12 * (n + 1))
        << c.ni << "x" << c.nj << "x" << c.nk << (c.second_order ? " second order" : "") << ", cell " << n;
  }
}

TEST(CornerPointGridSolver, TwoEqualUpwindNeighboursGiveTauPlusOneOverFSqrt2)
{
  // Seeds at (1,0,0) and (0,1,0): cell (0,0,0) sees t = 0 along I and J with F = a / h.
  const double h = 10.0;
  TestGrid grid(2, 2, 1, h, h, 5.0);
  const std::vector<double> tau = march(grid, {grid.cell(1, 0, 0), grid.cell(0, 1, 0)});
  const double f = sqrt_diffusivity(100.0, 0.2) / h;
  EXPECT_NEAR(tau[grid.cell(0, 0, 0)], 1.0 / (f * std::sqrt(2.0)), 1e-15);
  EXPECT_EQ(tau[grid.cell(0, 0, 0)], tau[grid.cell(1, 1, 0)]);
}

TEST(CornerPointGridSolver, ClosedFaceGivesInfiniteValueAndStopsTheMarch)
{
  // 0 | 1 | 2 | 3 with cell 1 impermeable: cell 1 is reached only at the infinite value,
  // and the march ends once it is accepted; cells 2 and 3 are never accepted.
  TestGrid grid(4, 1, 1);
  grid.record("PERMX   ").set_value(1, 1e-7);
  CornerPointGridSolver solver;
  solver.set_initial_total_compressibility(COMPRESSIBILITY);
  solver.set_initial_viscosity(VISCOSITY);
  solver.attach_grid(grid.grid, orr::quill::UNIT_TYPE_FIELD);
  solver.add_initial_value_at(IjkIndex(0, 0, 0), 0.0);
  solver.initialize();
  solver.march();
  EXPECT_EQ(solver.get_tau_list(), (std::vector<double>{0.0, INFINITE_VALUE}));
  EXPECT_EQ(solver.get_cell_tau(), (std::vector<double>{0.0, INFINITE_VALUE, 0.0, 0.0}));
}

TEST(CornerPointGridSolver, ZeroLengthFacePassesTheValueOnUnchanged)
{
  for (const bool second_order : {false, true})
  {
    TestGrid grid(4, 1, 1, 10.0);
    grid.record("DX      ").set_value(1, 0.0);
    grid.record("DX      ").set_value(2, 0.0);
    const std::vector<double> tau = march(grid, {0}, second_order);
    const double a = sqrt_diffusivity(100.0, 0.2);
    EXPECT_DOUBLE_EQ(tau[1], 5.0 / a);
    EXPECT_EQ(tau[2], tau[1]);
    EXPECT_DOUBLE_EQ(tau[3], tau[2] + 5.0 / a);
  }
}

TEST(CornerPointGridSolver, MarchAfterANewInitializeKeepsNothingOfTheMarchBefore)
{
  // A second seed added after a first march: the second march must match a fresh solver's
  // from both seeds, in either order, so nothing the first march learnt about which cells
  // were accepted may survive initialize.
  TestGrid grid(6, 5, 4);
  for (unsigned int c = 0; c < grid.grid->number_of_cells(); ++c)
    grid.record("PERMX   ").set_value(c, 10.0 + (c * 37 % 11) * 20.0);
  const unsigned int first_seed  = grid.cell(0, 0, 0);
  const unsigned int second_seed = grid.cell(5, 4, 3);
  for (const bool second_order : {false, true})
  {
    CornerPointGridSolver solver;
    solver.set_initial_total_compressibility(COMPRESSIBILITY);
    solver.set_initial_viscosity(VISCOSITY);
    solver.set_second_order(second_order);
    solver.attach_grid(grid.grid, orr::quill::UNIT_TYPE_FIELD);
    solver.add_cell_initial_value(first_seed, grid.grid->get_ijk(first_seed), 0.0);
    solver.initialize();
    solver.march();
    solver.add_cell_initial_value(second_seed, grid.grid->get_ijk(second_seed), 0.0);
    solver.initialize();
    solver.march();
    EXPECT_EQ(solver.get_cell_tau(), march(grid, {first_seed, second_seed}, second_order))
      << (second_order ? "second order" : "first order");
  }
}

TEST(CornerPointGridSolver, UndefinedCompressibilityOrViscosityIsAnInputError)
{
  struct Case
  {
    bool   set_compressibility;
    bool   set_viscosity;
    double perm;
  };
  // Also with closed faces everywhere: the storage is evaluated before the face is tested.
  const Case cases[] = {{false, true, 100.0}, {true, false, 100.0}, {false, false, 100.0}, {false, true, 0.0}};
  for (const Case &c : cases)
  {
    TestGrid grid(3, 1, 1, 10.0, 10.0, 10.0, c.perm);
    CornerPointGridSolver solver;
    if (c.set_compressibility)
      solver.set_initial_total_compressibility(COMPRESSIBILITY);
    if (c.set_viscosity)
      solver.set_initial_viscosity(VISCOSITY);
    solver.attach_grid(grid.grid, orr::quill::UNIT_TYPE_FIELD);
    solver.add_cell_initial_value(0, IjkIndex(0, 0, 0), 0.0);
    try
    {
      solver.initialize();
      solver.march();
      ADD_FAILURE() << "march finished without ct or mu";
    }
    catch (const orr::InputError &error)
    {
      EXPECT_STREQ(error.what(), "Error: Initial total compressibility or viscosity is not defined!\n");
    }
  }
}

TEST(CornerPointGridSolver, MissingPropertyRecordIsNamedInCheckingOrder)
{
  const std::vector<std::string> names{"PERMX   ", "PERMY   ", "PERMZ   ", "PORO    ",
                                       "DX      ", "DY      ", "DZ      "};
  for (std::size_t missing = 0; missing < names.size(); ++missing)
  {
    // Every record from `missing` on is absent: the first of them is reported.
    auto grid = std::make_shared<orr::CornerPointGrid>();
    grid->set_dimension(IjkIndex(2, 2, 2));
    for (std::size_t r = 0; r < missing; ++r)
    {
      auto record = std::make_shared<orr::DataRecord<double>>(names[r]);
      record->assign(8, 1.0);
      grid->cell_properties()->set(names[r], record);
    }
    CornerPointGridSolver solver;
    try
    {
      solver.attach_grid(grid, orr::quill::UNIT_TYPE_FIELD);
      ADD_FAILURE() << "no error for missing " << names[missing];
    }
    catch (const orr::StandardExceptions::ExcIncompleteData &error)
    {
      EXPECT_NE(std::string(error.what()).find("Data of " + names[missing] + " is missing or incomplete."),
                std::string::npos)
        << error.what();
    }
  }
}

TEST(CornerPointGridSolver, RecordsAreReadPerCellOrPerActiveCell)
{
  auto grid = std::make_shared<orr::CornerPointGrid>();
  grid->set_dimension(IjkIndex(3, 1, 1));
  grid->activate_cell(0);
  grid->deactivate_cell(1);
  grid->activate_cell(2);
  const auto add = [&](const std::string &name, const std::vector<double> &values) {
    auto record = std::make_shared<orr::DataRecord<double>>(name);
    for (const double v : values)
      record->push_back(v);
    grid->cell_properties()->set(name, record);
  };
  add("PERMX   ", {1.0, 2.0, 3.0});             // per cell
  add("PERMY   ", {4.0, 6.0});                  // per active cell
  add("PERMZ   ", {1.0, 2.0, 3.0, 4.0, 5.0});   // neither
  add("PORO    ", {0.1, 0.3});
  add("DX      ", {10.0, 20.0, 30.0});
  add("DY      ", {10.0, 20.0, 30.0});
  add("DZ      ", {1.0, 2.0, 3.0});
  CornerPointGridSolver solver;
  solver.attach_grid(grid, orr::quill::UNIT_TYPE_FIELD);

  EXPECT_EQ(solver._get_cell_perm(1, orr::Ijk::I_MINUS), 2.0);
  EXPECT_EQ(solver._get_cell_perm(2, orr::Ijk::J_PLUS), 6.0);
  EXPECT_EQ(solver._get_cell_porosity(2), 0.3);
  EXPECT_EQ(solver._get_cell_half_length(2, orr::Ijk::I_PLUS), 15.0);
  EXPECT_EQ(solver._get_cell_half_length(1, orr::Ijk::K_MINUS), 1.0);
  EXPECT_THROW(solver._get_cell_porosity(1), orr::StandardExceptions::ExcInvalidState);
  try
  {
    solver._get_cell_perm(0, orr::Ijk::K_PLUS);
    ADD_FAILURE() << "a record of 5 values on 3 cells was read";
  }
  catch (const orr::StandardExceptions::ExcDimensionMismatch2 &error)
  {
    EXPECT_NE(std::string(error.what()).find("Dimension 5 neither equal to 3 nor to 2"), std::string::npos);
  }
  // The march reads every record when it starts, so the bad record stops it there.
  solver.set_initial_total_compressibility(COMPRESSIBILITY);
  solver.set_initial_viscosity(VISCOSITY);
  solver.add_cell_initial_value(0, IjkIndex(0, 0, 0), 0.0);
  EXPECT_THROW(solver.initialize(), orr::StandardExceptions::ExcDimensionMismatch2);
}

TEST(CornerPointGridSolver, SecondOrderWithoutRealRootFallsBackToFirstOrder)
{
  // Flat cells (DZ much smaller than DX, DY) make the second-order quadratic lose its real
  // root near the seed; this used to end the run with a failed-check report.
  TestGrid grid(30, 30, 30, 100.0, 100.0, 10.0);
  const std::vector<double> tau = march(grid, {grid.cell(1, 1, 1)}, true);
  const std::vector<double> first_order = march(grid, {grid.cell(1, 1, 1)}, false);
  for (unsigned int c = 0; c < tau.size(); ++c)
  {
    if (c == grid.cell(1, 1, 1))
      continue;
    ASSERT_GT(tau[c], 0.0) << "cell " << c;
    ASSERT_LT(tau[c], INFINITE_VALUE) << "cell " << c;
    // The two orders agree to the discretisation error.
    EXPECT_NEAR(tau[c], first_order[c], 0.25 * first_order[c]) << "cell " << c;
  }
}

TEST(CornerPointGridSolver, SecondOrderIsExactAlongALineOfUnequalCells)
{
  // The three-point one-sided difference on unequal spacings is exact for a linear tau.
  TestGrid grid(1, 1, 8);
  for (unsigned int k = 0; k < 8; ++k)
    grid.record("DZ      ").set_value(k, 4.0 + k * k);
  const std::vector<double> tau = march(grid, {0}, true);
  const double a = sqrt_diffusivity(100.0, 0.2);
  double distance = 0.0;
  for (unsigned int k = 1; k < 8; ++k)
  {
    distance += 0.5 * (4.0 + (k - 1) * (k - 1)) + 0.5 * (4.0 + k * k);
    EXPECT_NEAR(tau[k], distance / a, 1e-12 * distance / a) << "layer " << k;
  }
}
