#include "sparse_jacobian.h"

#include <algorithm>
#include <utility>

#include "exceptions.h"

namespace orr
{
  namespace quill
  {
    SparseJacobian::SparseJacobian(const SparseJacobian &other)
      : _row_start(other._row_start)
      , _column(other._column)
      , _value(other._value)
    {
      _analyse();
    }

    SparseJacobian &SparseJacobian::operator=(const SparseJacobian &other)
    {
      SparseJacobian copy(other);
      return *this = std::move(copy);
    }

    void SparseJacobian::build_pattern(unsigned n, unsigned continua, bool rate_control)
    {
      const unsigned well = continua * n;
      _row_start.assign(1, 0);
      _column.clear();

      for (unsigned i = 0; i < n; ++i)
      {
        if (i > 0)
          _column.push_back(i - 1);
        _column.push_back(i);
        if (i + 1 < n)
          _column.push_back(i + 1);
        if (continua > 1)
          _column.push_back(n + i);
        if (i == 0 && rate_control)
          _column.push_back(well);
        _row_start.push_back(static_cast<unsigned>(_column.size()));
      }
      if (continua > 1)
        for (unsigned i = 0; i < n; ++i)
        {
          _column.push_back(i);
          _column.push_back(n + i);
          if (continua > 2)
            _column.push_back(2 * n + i);
          _row_start.push_back(static_cast<unsigned>(_column.size()));
        }
      if (continua > 2)
        for (unsigned i = 0; i < n; ++i)
        {
          _column.push_back(n + i);
          _column.push_back(2 * n + i);
          _row_start.push_back(static_cast<unsigned>(_column.size()));
        }
      if (rate_control)
      {
        _column.push_back(0);
        _column.push_back(well);
        _row_start.push_back(static_cast<unsigned>(_column.size()));
      }
      _value.assign(_column.size(), 0.0);
      _analyse();
    }

    void SparseJacobian::_analyse()
    {
      std::vector<double> values;
      std::vector<int>    columns, row_start;
      export_one_based(values, columns, row_start);
      row_start.push_back(static_cast<int>(values.size()) + 1);
      if (!_solver || !_solver->has_pattern(row_start, columns))
        _solver = std::make_unique<orr::solver_utilities::SparseLuSolver>(row_start, columns);
    }

    void SparseJacobian::solve(const std::vector<double> &rhs, std::vector<double> &x)
    {
      _solver->solve(_value, rhs, x);
    }

    void SparseJacobian::clear()
    {
      std::fill(_value.begin(), _value.end(), 0.0);
    }

    unsigned SparseJacobian::_find(unsigned row, unsigned column) const
    {
      ORR_ASSERT(row < size(), ExcIndexRange(row, 0, size() - 1));
      // At most five entries per row: a linear scan is the fastest search.
      for (unsigned e = _row_start[row]; e < _row_start[row + 1]; ++e)
        if (_column[e] == column)
          return e;
      ORR_ASSERT(false, ExcInternalError());
      return 0;
    }

    double &SparseJacobian::at(unsigned row, unsigned column)
    {
      return _value[_find(row, column)];
    }

    double SparseJacobian::at(unsigned row, unsigned column) const
    {
      return _value[_find(row, column)];
    }

    void SparseJacobian::export_one_based(std::vector<double> &values, std::vector<int> &columns,
                                          std::vector<int> &row_start) const
    {
      values = _value;
      columns.resize(_column.size());
      for (std::size_t e = 0; e < _column.size(); ++e)
        columns[e] = static_cast<int>(_column[e]) + 1;
      row_start.resize(size());
      for (unsigned r = 0; r < size(); ++r)
        row_start[r] = static_cast<int>(_row_start[r]) + 1;
    }
  } // namespace quill
} // namespace orr
