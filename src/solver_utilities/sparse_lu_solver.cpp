#include "sparse_lu_solver.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <umfpack.h>

#include "exceptions.h"

namespace orr
{
  namespace solver_utilities
  {
    namespace
    {
      /** What a UMFPACK status means, for the failure message. */
      std::string status_text(int status)
      {
        switch (status)
        {
          case UMFPACK_WARNING_singular_matrix:
            return "the matrix is singular";
          case UMFPACK_ERROR_out_of_memory:
            return "out of memory";
          case UMFPACK_ERROR_invalid_matrix:
            return "the matrix pattern is invalid";
          case UMFPACK_ERROR_different_pattern:
            return "the values do not fit the analysed pattern";
          default:
            return "UMFPACK status " + std::to_string(status);
        }
      }

      [[noreturn]] void fail(const std::string &reason)
      {
        throw StandardExceptions::ExcMessage("Sparse solve failed: " + reason);
      }

      /** Throws unless `status` is UMFPACK_OK; `step` names the failing UMFPACK call. */
      void check_status(int status, const char *step)
      {
        if (status != UMFPACK_OK)
          fail("the " + std::string(step) + " reports that " + status_text(status) + ".");
      }

      /**
       * Widest band, in unknowns either side of the diagonal after reordering, that is
       * factorised as a band: the pressure systems' bands are one to four unknowns wide, and
       * the band's work of n times its width squared stays below UMFPACK's overhead.
       */
      constexpr int WIDEST_HALF_BAND = 16;

      struct NumericDeleter
      {
        void operator()(void *numeric) const { umfpack_di_free_numeric(&numeric); }
      };
    } // namespace

    void SparseLuSolver::SymbolicDeleter::operator()(void *symbolic) const
    {
      umfpack_di_free_symbolic(&symbolic);
    }

    SparseLuSolver::SparseLuSolver(const std::vector<int> &row_start, const std::vector<int> &columns)
      : _n(0)
    {
      // (1) check the pattern, so that UMFPACK never reads past the arrays; (2) keep it
      // 0-based, as UMFPACK wants it; (3) analyse it as the column form of A^T.
      if (row_start.empty() || row_start.size() - 1 > std::size_t(INT32_MAX))
        fail("the row index is empty or too long.");
      _n = static_cast<int>(row_start.size() - 1);
      if (row_start.front() != 1)
        fail("the row index must start at 1, not " + std::to_string(row_start.front()) + ".");
      if (std::size_t(row_start.back() - 1) != columns.size() || row_start.back() < 1)
        fail("the row index ends at " + std::to_string(row_start.back()) + " but there are " +
             std::to_string(columns.size()) + " column entries.");

      _row_start.resize(row_start.size());
      _columns.resize(columns.size());
      for (int row = 0; row < _n; ++row)
      {
        const int first = row_start[row] - 1, past = row_start[row + 1] - 1;
        if (past < first)
          fail("the row index decreases at row " + std::to_string(row + 1) + ".");
        for (int entry = first; entry < past; ++entry)
        {
          const int column = columns[entry];
          if (column < 1 || column > _n || (entry > first && column <= columns[entry - 1]))
            fail("row " + std::to_string(row + 1) +
                 " has a column index out of range or not ascending.");
          _columns[entry] = column - 1;
        }
        _row_start[row] = first;
      }
      _row_start[_n] = row_start[_n] - 1;

      BandOrdering band = reverse_cuthill_mckee(_row_start, _columns);
      if (std::max(band.lower, band.upper) <= WIDEST_HALF_BAND)
      {
        _banded = std::make_unique<BandedLu>(_row_start, _columns, std::move(band));
        return;
      }

      double control[UMFPACK_CONTROL];
      double info[UMFPACK_INFO];
      umfpack_di_defaults(control);
      void *symbolic = nullptr;
      const int status = umfpack_di_symbolic(_n, _n, _row_start.data(), _columns.data(), nullptr,
                                             &symbolic, control, info);
      _symbolic.reset(symbolic);
      check_status(status, "symbolic analysis");
    }

    SparseLuSolver::~SparseLuSolver() = default;

    unsigned int SparseLuSolver::size() const
    {
      return static_cast<unsigned int>(_n);
    }

    bool SparseLuSolver::has_pattern(const std::vector<int> &row_start,
                                     const std::vector<int> &columns) const
    {
      if (row_start.size() != _row_start.size() || columns.size() != _columns.size())
        return false;
      for (std::size_t row = 0; row < row_start.size(); ++row)
        if (row_start[row] - 1 != _row_start[row])
          return false;
      for (std::size_t entry = 0; entry < columns.size(); ++entry)
        if (columns[entry] - 1 != _columns[entry])
          return false;
      return true;
    }

    std::vector<double> SparseLuSolver::solve(const std::vector<double> &values, const std::vector<double> &rhs)
    {
      std::vector<double> x;
      solve(values, rhs, x);
      return x;
    }

    void SparseLuSolver::solve(const std::vector<double> &values, const std::vector<double> &rhs,
                               std::vector<double> &x)
    {
      if (values.size() != _columns.size())
        fail(std::to_string(values.size()) + " values for a pattern of " +
             std::to_string(_columns.size()) + " entries.");
      if (rhs.size() != std::size_t(_n))
        fail("a right-hand side of " + std::to_string(rhs.size()) + " entries for " +
             std::to_string(_n) + " unknowns.");

      if (_banded)
      {
        if (_banded->factorise(values) != 0)
          fail("the numerical factorisation reports that the matrix is singular.");
        _banded->solve(rhs, x);
      }
      else
        _solve_general(values, rhs, x);

      for (std::size_t i = 0; i < x.size(); ++i)
        if (!std::isfinite(x[i]))
          fail("the solution is not finite (unknown " + std::to_string(i + 1) + ").");
    }

    void SparseLuSolver::_solve_general(const std::vector<double> &values, const std::vector<double> &rhs,
                                        std::vector<double> &x) const
    {
      double control[UMFPACK_CONTROL];
      double info[UMFPACK_INFO];
      umfpack_di_defaults(control);

      void *numeric = nullptr;
      const int factor_status = umfpack_di_numeric(_row_start.data(), _columns.data(),
                                                   values.data(), _symbolic.get(), &numeric,
                                                   control, info);
      const std::unique_ptr<void, NumericDeleter> numeric_guard(numeric);
      check_status(factor_status, "numerical factorisation");

      // The arrays hold A^T in column form, so A x = b is the transposed solve.
      x.resize(rhs.size());
      const int solve_status = umfpack_di_solve(UMFPACK_At, _row_start.data(), _columns.data(),
                                                values.data(), x.data(), rhs.data(),
                                                numeric_guard.get(), control, info);
      check_status(solve_status, "solve");
    }
  } // namespace solver_utilities
} // namespace orr
