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

  void expect_grid_file_near(const std::string &actual, const std::string &expected)
  {
    const std::vector<std::string> a = lines_of(actual), e = lines_of(expected);
    ASSERT_EQ(a.size(), e.size());
    ASSERT_EQ(a.front(), e.front());
    ASSERT_EQ(a.back(), e.back());
    for (std::size_t n = 1; n + 1 < a.size(); ++n)
      {
        const double x = std::stod(a[n]), y = std::stod(e[n]);
        ASSERT_LE(std::abs(x - y), RELATIVE_TOLERANCE * std::max(std::abs(x), std::abs(y)))
          << "line " << n + 1 << ": " << a[n] << " against " << e[n];
      }
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
      expect_grid_file_near(run.read(name + ".tau.grdecl"),
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
