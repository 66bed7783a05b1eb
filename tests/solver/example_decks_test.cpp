// Runs quill on the bundled example decks and holds their results to pinned files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  // The grid files print 6 significant digits, which may round the last one either way.
  constexpr double RELATIVE_TOLERANCE = 1e-5;

  /** Runs quill on a scratch copy of examples/<name>; the copy lives as long as `run`. */
  QuillRun run_example(const ScratchDirectory &run, const std::string &name)
  {
    for (const auto &entry : std::filesystem::directory_iterator(EXAMPLES_DIR "/" + name))
      std::filesystem::copy(entry.path(), run.path() + entry.path().filename().string());
    return run_quill(run, {name});
  }

  std::vector<std::string> lines_of(const std::string &text)
  {
    std::vector<std::string> lines;
    std::istringstream       in(text);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  /** The whitespace- and comma-separated tokens of a result file. */
  std::vector<std::string> tokens_of(const std::string &text)
  {
    std::string spaced = text;
    for (char &c : spaced)
      if (c == ',')
        c = ' ';
    std::vector<std::string> tokens;
    std::istringstream       in(spaced);
    for (std::string token; in >> token;)
      tokens.push_back(token);
    return tokens;
  }

  bool is_number(const std::string &token, double &value)
  {
    std::istringstream in(token);
    return (in >> value) && in.peek() == std::char_traits<char>::eof();
  }

  /** Text between numbers must be identical; numbers agree to RELATIVE_TOLERANCE. */
  void expect_result_file_near(const std::string &actual, const std::string &expected)
  {
    const std::vector<std::string> a = tokens_of(actual), e = tokens_of(expected);
    ASSERT_EQ(a.size(), e.size());
    for (std::size_t n = 0; n < a.size(); ++n)
      {
        double x, y;
        if (is_number(a[n], x) && is_number(e[n], y))
          ASSERT_LE(std::abs(x - y), RELATIVE_TOLERANCE * std::max(std::abs(x), std::abs(y)))
            << "token " << n + 1 << ": " << a[n] << " against " << e[n];
        else
          ASSERT_EQ(a[n], e[n]) << "token " << n + 1;
      }
  }

  /** Column `column` (0-based) of a two-column curve file. */
  std::vector<double> curve_column(const std::string &text, int column)
  {
    std::vector<double> values;
    std::istringstream  in(text);
    for (double time, value; in >> time >> value;)
      values.push_back(column == 0 ? time : value);
    return values;
  }
} // namespace

TEST(ExampleDecks, ResultsStayAsPinned)
{
  for (const std::string name : {"homogeneous_box", "channel_layers"})
    {
      SCOPED_TRACE(name);
      ScratchDirectory run;
      const QuillRun   result = run_example(run, name);
      ASSERT_EQ(result.exit_status, 0) << result.err;
      EXPECT_EQ(run.read("well_prop.txt"),
                ScratchDirectory::read_file(EXPECTED_DIR "/" + name + "_well_prop.txt"));
      expect_result_file_near(run.read(name + ".tau.grdecl"),
                            ScratchDirectory::read_file(EXPECTED_DIR "/" + name + ".tau.grdecl"));
    }
}

TEST(ExampleDecks, HomogeneousBoxNeighbourOfTheWellByHand)
{
  // One cell step along I from a completed cell: tau = DX / sqrt(k / (phi mu ct)), raw,
  // times sqrt(158.03) for sqrt(days). 50 / sqrt(5 / (0.12 * 0.8 * 1e-5)) = 0.0219089.
  ScratchDirectory run;
  ASSERT_EQ(run_example(run, "homogeneous_box").exit_status, 0);
  const std::vector<std::string> lines = lines_of(run.read("homogeneous_box.tau.grdecl"));
  const double expected = 50.0 / std::sqrt(5.0 / (0.12 * 0.8 * 1e-5)) * std::sqrt(158.03);
  // Cell (12, 11, 3), 1-based: index (21 * 2 + 10) * 21 + 11, plus the header line.
  const std::size_t cell = (21 * 2 + 10) * 21 + 11;
  EXPECT_NEAR(std::stod(lines.at(cell + 1)), expected, RELATIVE_TOLERANCE * expected);
  EXPECT_EQ(lines.at((21 * 2 + 10) * 21 + 10 + 1), "0");
}

TEST(ExampleDecks, PressureRunsStayAsPinned)
{
  for (const std::string name : {"shale_gas", "oil_rock_compaction"})
    {
      SCOPED_TRACE(name);
      ScratchDirectory run;
      const QuillRun   result = run_example(run, name);
      ASSERT_EQ(result.exit_status, 0) << result.err;
      for (const std::string suffix : {"_RATE", "_Cum", "_BHP"})
        expect_result_file_near(run.read(name + suffix),
                                ScratchDirectory::read_file(EXPECTED_DIR "/" + name + suffix));
    }
}

TEST(ExampleDecks, OilWellHoldsItsRateThenItsPressureLimit)
{
  // 800 stb/d until the bottom-hole pressure reaches 1500 psia, then 1500 psia and a
  // falling rate.
  ScratchDirectory run;
  ASSERT_EQ(run_example(run, "oil_rock_compaction").exit_status, 0);
  const std::vector<double> rate = curve_column(run.read("oil_rock_compaction_RATE"), 1);
  const std::vector<double> bhp  = curve_column(run.read("oil_rock_compaction_BHP"), 1);
  ASSERT_EQ(rate.size(), 45u);
  ASSERT_EQ(bhp.size(), rate.size());
  std::size_t switched = 0;
  while (switched < rate.size() && bhp[switched] > 1500.0)
    {
      EXPECT_NEAR(rate[switched], 800.0, 1e-9);
      ++switched;
    }
  ASSERT_GT(switched, 15u);
  ASSERT_LT(switched, rate.size());
  for (std::size_t s = switched; s < rate.size(); ++s)
    {
      EXPECT_NEAR(bhp[s], 1500.0, 1e-9);
      EXPECT_LT(rate[s], 800.0);
      if (s > switched)
        {
          EXPECT_LT(rate[s], rate[s - 1]);
        }
    }
}
