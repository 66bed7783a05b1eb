#include "tau_result_files.h"
#include "tau_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "corner_point_grid_solver.h"
#include "exceptions.h"
#include "test_grid.h"

namespace
{
  using orr::quill::INFINITE_VALUE;
  using orr::quill::TauRecords;
  using orr::quill::UNIT_TYPE_FIELD;
  using orr::quill::UNIT_TYPE_METRIC;

  std::string read_file(const std::string &path)
  {
    std::ifstream      in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  bool file_exists(const std::string &path)
  {
    return std::ifstream(path).good();
  }

  /** Binds `solver` to `grid` (ct 1e-5 1/psi, mu 0.5 cp), seeds `seed` with 0 and marches. */
  void march_from(orr::quill::CornerPointGridSolver &solver, const orr::testing::TestGrid &grid,
                  const unsigned int seed)
  {
    solver.set_initial_total_compressibility(1e-5);
    solver.set_initial_viscosity(0.5);
    solver.attach_grid(grid.grid, UNIT_TYPE_FIELD);
    solver.add_cell_initial_value(seed, grid.grid->get_ijk(seed), 0.0);
    solver.initialize();
    solver.march();
  }

  /** A scratch directory name unique to the running test. */
  std::string scratch(const std::string &name)
  {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "fm_" + info->name() + "_" + name;
  }
} // namespace

TEST(TauRecords, RecordsCumulativeVolumesInFieldUnits)
{
  TauRecords records;
  records.reset(3);
  records.record(2, 0.0, 0.1, 1.0, UNIT_TYPE_FIELD);
  records.record(1, 0.5, -1.0, 5.0, UNIT_TYPE_FIELD);                                     // skipped
  records.record(1, 0.6, std::numeric_limits<double>::quiet_NaN(), 5.0, UNIT_TYPE_FIELD); // skipped
  records.record(0, 0.5, 0.2, 2.0, UNIT_TYPE_FIELD);
  EXPECT_EQ(records.tau_list(), (std::vector<double>{0.0, 0.5}));
  EXPECT_EQ(records.pore_volume_list(), (std::vector<double>{0.1, 0.1 + 0.2}));
  EXPECT_EQ(records.bulk_volume_list(), (std::vector<double>{1.0, 3.0}));
  EXPECT_EQ(records.cell_tau(), (std::vector<double>{0.5, 0.0, 0.0}));
  const double bulk_volume[] = {3.0, 0.0, 1.0};
  for (unsigned int cell = 0; cell < 3; ++cell)
    EXPECT_EQ(records.cells()[cell].bulk_volume, bulk_volume[cell]) << "cell " << cell;

  TauRecords metric;
  metric.reset(1);
  metric.record(0, 0.5, 1.0, 2.0, UNIT_TYPE_METRIC);
  EXPECT_EQ(metric.tau_list(), std::vector<double>{0.5 * 0.861478809});
  EXPECT_EQ(metric.pore_volume_list(), std::vector<double>{35.31467011});
  EXPECT_EQ(metric.bulk_volume_list(), std::vector<double>{2.0 * 35.31467011});
}

TEST(TauRecords, KeptVolumesGiveWayToTheRecordOrToZeros)
{
  TauRecords records;
  records.reset(3);
  for (unsigned int cell = 0; cell < 3; ++cell)
    records.keep_volumes(cell, 0.5 * (cell + 1), 10.0 * (cell + 1));
  EXPECT_EQ(records.cells()[2].pore_volume, 1.5);
  records.record(2, 0.25, 1.5, 30.0, UNIT_TYPE_FIELD);
  records.record(1, 0.5, -1.0, 20.0, UNIT_TYPE_FIELD); // records nothing
  records.clear(0);
  const double tau[]  = {0.0, 0.0, 0.25};
  const double pore[] = {0.0, 0.0, 1.5};
  const double bulk[] = {0.0, 0.0, 30.0};
  for (unsigned int cell = 0; cell < 3; ++cell)
  {
    EXPECT_EQ(records.cells()[cell].tau, tau[cell]) << "cell " << cell;
    EXPECT_EQ(records.cells()[cell].pore_volume, pore[cell]) << "cell " << cell;
    EXPECT_EQ(records.cells()[cell].bulk_volume, bulk[cell]) << "cell " << cell;
  }
}

TEST(TauRecords, UnknownUnitTypeIsAnIoError)
{
  TauRecords records;
  records.reset(1);
  try
  {
    records.record(0, 0.0, 1.0, 1.0, 3);
    ADD_FAILURE() << "unit type 3 was accepted";
  }
  catch (const orr::StandardExceptions::ExcIo &error)
  {
    EXPECT_NE(std::string(error.what()).find("IO error: Please make sure unit type is FIELD or METRIC."),
              std::string::npos);
  }
  EXPECT_TRUE(records.tau_list().empty());
}

TEST(TauRecords, MarchRecordsSeedFirstAndTotalPoreVolumeLast)
{
  orr::testing::TestGrid grid(3, 2, 1, 10.0, 20.0, 5.0);
  double total = 0.0;
  for (unsigned int c = 0; c < 6; ++c)
  {
    grid.record("PORO    ").set_value(c, 0.05 * (c + 1));
    total += 0.05 * (c + 1) * 10.0 * 20.0 * 5.0;
  }
  orr::quill::CornerPointGridSolver solver;
  march_from(solver, grid, 4);

  const std::vector<double> tau = solver.get_tau_list();
  const std::vector<double> pore = solver.get_pore_volume_list();
  ASSERT_EQ(tau.size(), 6u);
  EXPECT_EQ(tau[0], 0.0);
  EXPECT_DOUBLE_EQ(pore[0], 0.25 * 1000.0);
  EXPECT_DOUBLE_EQ(pore[5], total);
  EXPECT_DOUBLE_EQ(solver.get_bulk_volume_list()[5], 6000.0);
  for (std::size_t i = 1; i < tau.size(); ++i)
    EXPECT_LE(tau[i - 1], tau[i]);
}

TEST(TauResultFiles, TauTableHoldsAcceptancesAndCellsWithEighteenDigits)
{
  TauRecords records;
  records.reset(3);
  records.record(2, 0.0, 0.1, 1.0, UNIT_TYPE_FIELD);
  records.record(0, 0.5, 0.2, 2.0, UNIT_TYPE_FIELD);
  const std::string path = scratch("table.csv");
  orr::quill::write_tau_table(records, path);
  EXPECT_EQ(read_file(path), "0,0.100000000000000006,1,0.5,0.300000000000000044,3\n"
                             "0.5,0.300000000000000044,3,0,0,0\n");
  std::remove(path.c_str());
}

TEST(TauResultFiles, CellsTheMarchNeverReachedShowZerosInTheTable)
{
  // 0 | 1 | 2 | 3 seeded at 3 with cell 1 impermeable: cells 3, 2 and 1 are accepted (1
  // at the infinite value), cell 0 never; row 0 shows cell 0's record.
  orr::testing::TestGrid grid(4, 1, 1, 10.0, 20.0, 5.0);
  grid.record("PERMX   ").set_value(1, 1e-7);
  orr::quill::CornerPointGridSolver solver;
  march_from(solver, grid, 3);
  ASSERT_EQ(solver.get_tau_list().size(), 3u);

  const std::string path = scratch("table.csv");
  solver.write_tau_solutions(path);
  std::istringstream table(read_file(path));
  std::string        row;
  ASSERT_TRUE(std::getline(table, row));
  EXPECT_EQ(row.substr(row.size() - 6), ",0,0,0");
  ASSERT_TRUE(std::getline(table, row));
  EXPECT_EQ(row.substr(row.size() - 9), ",600,3000") << "cell 1, accepted third, holds the volumes of three cells";
  std::remove(path.c_str());
}

TEST(TauResultFiles, GridFilesHoldSqrtDaysAndArrivalTimePerCell)
{
  // A cell at T = 2 sqrt(days) arrives after T^2 / (2 d) days in d dimensions.
  struct Case
  {
    unsigned int dimension;
    const char  *time;
  };
  const Case cases[] = {{1, "2"}, {2, "1"}, {3, "0.666667"}};
  for (const Case &c : cases)
  {
    TauRecords records;
    records.reset(4);
    records.record(1, 0.0, 1.0, 1.0, UNIT_TYPE_FIELD);
    records.record(3, 2.0 / std::sqrt(158.03), 1.0, 1.0, UNIT_TYPE_FIELD);
    records.record(0, INFINITE_VALUE, 1.0, 1.0, UNIT_TYPE_FIELD);
    const std::string tau_path  = scratch("tau.grdecl");
    const std::string time_path = scratch("time.grdecl");
    orr::quill::write_tau_and_time_grids(records, c.dimension, tau_path, time_path);
    // Unreachable cell 0 shows the infinite value, never-recorded cell 2 shows 0.
    EXPECT_EQ(read_file(tau_path), "DTOF_sqrt(days)\n1.79769e+308\n0\n0\n2\n/\n");
    EXPECT_EQ(read_file(time_path), std::string("Physical_Time(days)\n1.79769e+308\n0\n0\n") + c.time + "\n/\n")
      << "dimension " << c.dimension;
    std::remove(tau_path.c_str());
    std::remove(time_path.c_str());
  }
}

TEST(TauResultFiles, RawTauFileListsEveryCell)
{
  TauRecords records;
  records.reset(3);
  records.record(1, 0.0, 1.0, 1.0, UNIT_TYPE_FIELD);
  records.record(0, 1234567.0, 1.0, 1.0, UNIT_TYPE_FIELD);
  const std::string path = scratch("raw.grdecl");
  orr::quill::write_raw_tau_grid(records, path);
  EXPECT_EQ(read_file(path), "__TAU__\n1.23457e+06\n0\n0\n/\n");
  std::remove(path.c_str());
}

TEST(TauResultFiles, UnwritableFileIsNamedAndNothingIsLeftHalfWritten)
{
  TauRecords records;
  records.reset(1);
  records.record(0, 0.0, 1.0, 1.0, UNIT_TYPE_FIELD);
  const std::string missing_dir = scratch("no_such_dir") + "/file";
  try
  {
    orr::quill::write_tau_table(records, missing_dir);
    ADD_FAILURE() << "wrote into a missing directory";
  }
  catch (const orr::StandardExceptions::ExcFileNotOpen &error)
  {
    EXPECT_NE(std::string(error.what()).find("Could not open file " + missing_dir), std::string::npos);
  }

  // The time file cannot be created: the tau file must not appear either.
  const std::string tau_path = scratch("tau.grdecl");
  std::remove(tau_path.c_str());
  try
  {
    orr::quill::write_tau_and_time_grids(records, 3, tau_path, missing_dir);
    ADD_FAILURE() << "wrote into a missing directory";
  }
  catch (const orr::StandardExceptions::ExcFileNotOpen &error)
  {
    EXPECT_NE(std::string(error.what()).find("Could not open file " + missing_dir), std::string::npos);
  }
  EXPECT_FALSE(file_exists(tau_path));
}
