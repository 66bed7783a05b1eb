#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "pressure_test_decks.h"

using orr::quill::OneDimSolver;
using orr::testing::radial_gas_solver;

namespace
{
  std::string read_text(const std::filesystem::path &path)
  {
    std::ifstream      in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::vector<std::string> lines_of(const std::string &text)
  {
    std::vector<std::string> lines;
    std::istringstream       in(text);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  class PressureReports : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      _dir = std::filesystem::temp_directory_path()
           / ("orr_pressure_reports_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
              + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
      std::filesystem::create_directories(_dir);
    }
    void TearDown() override { std::filesystem::remove_all(_dir); }

    std::string stem() const { return (_dir / "run").string(); }
    std::filesystem::path _dir;
  };

  std::string number(double value)
  {
    std::ostringstream text;
    text << value;
    return text.str();
  }
} // namespace

TEST_F(PressureReports, SummaryAndCurveFormats)
{
  OneDimSolver solver = radial_gas_solver("WCONPROD\n100 BHP 1000 0 4\n/\n");
  solver.solve();
  solver.write_reports(stem());

  const std::string summary = read_text(stem() + "_RSM.csv");
  ASSERT_FALSE(summary.empty());
  EXPECT_EQ(summary.back(), '\n');
  const auto lines = lines_of(summary);
  ASSERT_EQ(lines.size(), 3u + 4u);
  EXPECT_EQ(lines[0], "Report Summary");
  EXPECT_EQ(lines[1], "Step,Time,Production Rate,Cumulative Production,BHP,ITERATIONS");
  EXPECT_EQ(lines[2], "-,Days,MSCFD/STBD,MSCF/STB,PSIA,-");
  EXPECT_EQ(lines[3], "1," + number(0.01) + "," + number(solver.get_rates()[0]) + ","
                        + number(solver.get_cumulative()[0]) + ",1000,"
                        + std::to_string(solver.get_iterations()[0]));

  std::string rate_curve;
  for (std::size_t s = 0; s < 4; ++s)
    rate_curve += number(solver.get_report_times()[s]) + "    " + number(solver.get_rates()[s]) + "\n";
  EXPECT_EQ(read_text(stem() + "_RATE"), rate_curve);
  EXPECT_EQ(lines_of(read_text(stem() + "_BHP"))[3], "100    1000");
  EXPECT_EQ(lines_of(read_text(stem() + "_Cum")).size(), 4u);

  // No maps without RPTPRE.
  solver.write_pressure_maps(stem());
  EXPECT_FALSE(std::filesystem::exists(stem() + "_PRESSURE_1.grdecl"));
}

TEST_F(PressureReports, DualPorosityAndKerogenLayouts)
{
  const std::string matrix = "DUALPORO\nMTRXPERM\n0.0005\nMTRXPORO\n0.06\nSIGMA\n0.05\n";
  OneDimSolver dual = radial_gas_solver(matrix + "WCONPROD\n10 BHP 1000 0 1\n/\n", 300);
  dual.solve();
  dual.write_reports(stem());
  auto lines = lines_of(read_text(stem() + "_RSM.csv"));
  EXPECT_EQ(lines[1], "Step,Time,Production Rate,Cumulative Production,BHP,"
                      "Q_trans(matrix to fracture),ITERATIONS");
  EXPECT_EQ(lines[2], "-,Days,MSCFD/STBD,MSCF/STB,PSIA,MSCFD/STBD,-");

  OneDimSolver kerogen = radial_gas_solver(
    matrix + "KEROGEN\nLANGPRESS\n1000\nLANGVOL\n3\nSIGMAMK\n0.5\nDIFFCOAL\n0.005\n"
             "WCONPROD\n10 BHP 1000 0 1\n/\n", 300);
  kerogen.solve();
  kerogen.write_reports(stem());
  lines = lines_of(read_text(stem() + "_RSM.csv"));
  EXPECT_EQ(lines[1], "Step,Time,Production Rate,Cumulative Production,BHP,"
                      "Q_trans(matrix to fracture),Q_diff(kerogen to matrix),ITERATIONS");
  EXPECT_EQ(lines[2], "-,Days,MSCFD/STBD,MSCF/STB,PSIA,MSCFD/STBD,MSCFD,-");
  EXPECT_EQ(std::count(lines[3].begin(), lines[3].end(), ','), 7);
}

TEST_F(PressureReports, MapNumbersAndMapContents)
{
  struct Case
  {
    int steps, frequency;
    std::vector<unsigned> maps;
  };
  for (const Case &c : {Case{25, 10, {1, 11, 21, 25}}, Case{21, 10, {1, 11, 21}}, Case{1, 10, {1}},
                        Case{3, 1, {1, 2, 3}}})
  {
    OneDimSolver solver = radial_gas_solver("RPTPRE\nFREQ=" + std::to_string(c.frequency)
                                              + "\nWCONPROD\n50 BHP 1000 0 " + std::to_string(c.steps)
                                              + "\n/\n", 300);
    solver.solve();
    EXPECT_EQ(solver.map_numbers(), c.maps) << c.steps << " steps, every " << c.frequency;
  }

  OneDimSolver solver = radial_gas_solver("RPTPRE\nWCONPROD\n50 BHP 1000 0 2\n/\n", 300);
  solver.solve();
  solver.write_pressure_maps(stem());
  EXPECT_TRUE(std::filesystem::exists(stem() + "_PRESSURE_1.grdecl"));
  const std::string map = read_text(stem() + "_PRESSURE_2.grdecl");
  const std::string header = "FILEUNIT\n  FIELD /\n\nPRESSURE_2\n";
  ASSERT_EQ(map.compare(0, header.size(), header), 0) << map.substr(0, 40);
  EXPECT_EQ(map.substr(map.size() - 4), "   /");
  // Cell 0 (tau 0, inside the first centre) takes the innermost pressure.
  std::istringstream values(map.substr(map.find("PRESSURE_2\n") + 11));
  double first = 0.0;
  values >> first;
  EXPECT_EQ(number(first), number(solver.get_pressure_profiles()[1][0]));

  // The estimate a run checks against the free disk space covers what the maps take.
  std::uint64_t cells = 1;
  for (double value; values >> value;)
    ++cells;
  EXPECT_GE(solver.estimated_pressure_map_bytes(cells),
            std::filesystem::file_size(stem() + "_PRESSURE_1.grdecl") + map.size());
}
