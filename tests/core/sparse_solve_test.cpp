#include <algorithm>
#include <cmath>
#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "exceptions.h"
#include "mkl_pardiso_solver.h"
#include "sparse_lu_solver.h"

using orr::solver_utilities::mkl_pardiso_solver;
using orr::solver_utilities::SparseLuSolver;
namespace exc = orr::StandardExceptions;

namespace
{
  /**
   * A = [4 -1 0; -2 5 -1; 0 -3 6], structurally symmetric but not symmetric, so that a
   * solve of A^T in place of A shows; x = (1, 2, 3) gives b = (2, 5, 12).
   */
  struct SmallSystem
  {
    std::vector<double> values{4, -1, -2, 5, -1, -3, 6};
    std::vector<int>    columns{1, 2, 1, 2, 3, 2, 3};
    std::vector<int>    rowIndex{1, 3, 6, 8};
    std::vector<double> rhs{2, 5, 12};
  };

  void expect_solution(const std::vector<double> &x, const std::vector<double> &expected)
  {
    ASSERT_EQ(x.size(), expected.size());
    for (std::size_t i = 0; i < x.size(); ++i)
      EXPECT_NEAR(x[i], expected[i], 1e-12) << "unknown " << i;
  }

  std::string message_of(SmallSystem system)
  {
    try
    {
      mkl_pardiso_solver(system.values, system.columns, system.rowIndex, system.rhs);
    }
    catch (const exc::ExcMessage &e)
    {
      return e.what();
    }
    return "no exception";
  }
} // namespace

TEST(SparseSolve, RowIndexWithOrWithoutClosingEntry)
{
  SmallSystem closed;
  expect_solution(mkl_pardiso_solver(closed.values, closed.columns, closed.rowIndex, closed.rhs),
                  {1, 2, 3});

  SmallSystem open;
  open.rowIndex.pop_back();
  expect_solution(mkl_pardiso_solver(open.values, open.columns, open.rowIndex, open.rhs),
                  {1, 2, 3});
  EXPECT_EQ(open.rowIndex, (std::vector<int>{1, 3, 6, 8}));
}

TEST(SparseSolve, RowIndexOfAnyOtherLengthIsAFailedCheck)
{
  SmallSystem short_index;
  short_index.rowIndex = {1, 3};
  EXPECT_EXIT(mkl_pardiso_solver(short_index.values, short_index.columns, short_index.rowIndex,
                                 short_index.rhs),
              ::testing::KilledBySignal(SIGABRT),
              "    false\n"
              "The name and call sequence of the exception was:\n"
              "    ExcMessage\\(\"Pardiso cannot work! Check your rowIndex vector!\"\\)\n"
              "Additional Information: \n"
              "Pardiso cannot work! Check your rowIndex vector!\n");
}

TEST(SparseSolve, SingularMatrixThrows)
{
  SmallSystem singular;
  singular.values = {1, 2, 2, 4, 0, 0, 1};
  EXPECT_NE(message_of(singular).find("Sparse solve failed: the numerical factorisation reports "
                                      "that the matrix is singular."),
            std::string::npos)
    << message_of(singular);
}

TEST(SparseSolve, MalformedMatricesThrowInsteadOfReadingPastTheArrays)
{
  SmallSystem column_too_large;
  column_too_large.columns[6] = 4;
  SmallSystem columns_not_ascending;
  std::swap(columns_not_ascending.columns[2], columns_not_ascending.columns[3]);
  SmallSystem closing_entry_too_large;
  closing_entry_too_large.rowIndex[3] = 9;
  SmallSystem values_missing;
  values_missing.values.pop_back();
  SmallSystem not_one_based;
  not_one_based.rowIndex = {0, 2, 5, 7};

  for (const SmallSystem &system :
       {column_too_large, columns_not_ascending, closing_entry_too_large, values_missing, not_one_based})
    EXPECT_NE(message_of(system).find("Sparse solve failed: "), std::string::npos)
      << message_of(system);

  SmallSystem not_finite;
  not_finite.rhs[0] = std::nan("");
  EXPECT_NE(message_of(not_finite).find("not finite"), std::string::npos) << message_of(not_finite);
}

TEST(SparseSolve, AnalysedPatternServesSeveralFactorisations)
{
  // A tridiagonal, non-symmetric system of 500 unknowns with x_i = i, refactorised with a
  // second set of values on the same pattern.
  const int           n = 500;
  std::vector<int>    row_start{1}, columns;
  std::vector<double> values, doubled;
  std::vector<double> rhs(n, 0.0), expected(n);
  for (int row = 0; row < n; ++row)
  {
    expected[row] = row;
    for (int column = std::max(0, row - 1); column <= std::min(n - 1, row + 1); ++column)
    {
      const double a = column == row ? 4.0 : column < row ? -1.0 : -2.0;
      columns.push_back(column + 1);
      values.push_back(a);
      doubled.push_back(2 * a);
      rhs[row] += a * column;
    }
    row_start.push_back(static_cast<int>(columns.size()) + 1);
  }

  SparseLuSolver solver(row_start, columns);
  EXPECT_EQ(solver.size(), 500u);
  EXPECT_TRUE(solver.has_pattern(row_start, columns));
  std::vector<int> other_columns = columns;
  other_columns[1]               = 3;
  EXPECT_FALSE(solver.has_pattern(row_start, other_columns));

  expect_solution(solver.solve(values, rhs), expected);
  std::vector<double> half(n);
  for (int i = 0; i < n; ++i)
    half[i] = expected[i] / 2;
  expect_solution(solver.solve(doubled, rhs), half);
}

namespace
{
  /** A 1-based compressed-row system with a known solution x_i = i + 1. */
  struct PatternSystem
  {
    std::vector<int>    row_start{1}, columns;
    std::vector<double> values, rhs, expected;

    /** Adds row `row` with entries (column, value), columns ascending. */
    void add_row(const std::vector<std::pair<int, double>> &entries)
    {
      double b = 0.0;
      for (const auto &[column, value] : entries)
      {
        columns.push_back(column + 1);
        values.push_back(value);
        b += value * (column + 1);
      }
      rhs.push_back(b);
      expected.push_back(static_cast<double>(expected.size() + 1));
      row_start.push_back(static_cast<int>(columns.size()) + 1);
    }
  };

  /**
   * The pressure solver's pattern with three unknowns per cell in blocks (fractures, then
   * matrix, then kerogen) and the well unknown last: a band only once reordered.
   */
  PatternSystem three_continua(int cells)
  {
    PatternSystem system;
    const int     well = 3 * cells;
    for (int i = 0; i < cells; ++i)
    {
      std::vector<std::pair<int, double>> row;
      if (i > 0)
        row.push_back({i - 1, -1.0 - 0.01 * i});
      row.push_back({i, 6.0});
      if (i + 1 < cells)
        row.push_back({i + 1, -2.0});
      row.push_back({cells + i, -0.5});
      if (i == 0)
        row.push_back({well, 0.25});
      system.add_row(row);
    }
    for (int i = 0; i < cells; ++i)
      system.add_row({{i, 0.5}, {cells + i, -3.0}, {2 * cells + i, 1.0}});
    for (int i = 0; i < cells; ++i)
      system.add_row({{cells + i, 0.3}, {2 * cells + i, -2.0}});
    system.add_row({{0, -1.0}, {well, 4.0}});
    return system;
  }

  /** The five-point stencil on a side x side square, not symmetric: its band stays wide. */
  PatternSystem square_grid(int side)
  {
    PatternSystem system;
    for (int j = 0; j < side; ++j)
      for (int i = 0; i < side; ++i)
      {
        const int                           cell = j * side + i;
        std::vector<std::pair<int, double>> row;
        if (j > 0)
          row.push_back({cell - side, -1.0});
        if (i > 0)
          row.push_back({cell - 1, -0.5});
        row.push_back({cell, 5.0});
        if (i + 1 < side)
          row.push_back({cell + 1, -1.5});
        if (j + 1 < side)
          row.push_back({cell + side, -1.0});
        system.add_row(row);
      }
    return system;
  }
} // namespace

TEST(SparseSolve, BandedAndGeneralPatternsGiveTheSolution)
{
  // A zero diagonal that only a row exchange gets past, in a tridiagonal pattern.
  PatternSystem needs_pivoting;
  needs_pivoting.add_row({{0, 0.0}, {1, 1.0}});
  needs_pivoting.add_row({{0, 1.0}, {1, 0.0}, {2, 2.0}});
  needs_pivoting.add_row({{1, 3.0}, {2, 1.0}});

  const struct
  {
    const char   *name;
    PatternSystem system;
    bool          banded;
  } cases[] = {{"row exchange", needs_pivoting, true},
               {"three continua and a well", three_continua(200), true},
               {"square grid", square_grid(40), false}};
  for (const auto &c : cases)
  {
    PatternSystem  system = c.system;
    SparseLuSolver solver(system.row_start, system.columns);
    EXPECT_EQ(solver.is_banded(), c.banded) << c.name;
    std::vector<double> x;
    solver.solve(system.values, system.rhs, x);
    ASSERT_EQ(x.size(), system.expected.size()) << c.name;
    for (std::size_t i = 0; i < x.size(); ++i)
      EXPECT_NEAR(x[i], system.expected[i], 1e-9 * system.expected[i]) << c.name << ", unknown " << i;
  }
}
