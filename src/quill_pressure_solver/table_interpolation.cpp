#include <algorithm>

#include "exceptions.h"
#include "one_dim_solver.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      // Lookup in a table already known to be usable: flat below the first and beyond the
      // last row, linear in between.
      double lookup(const std::vector<double> &x, const std::vector<double> &y, double value)
      {
        const std::size_t rows = std::min(x.size(), y.size());
        const auto first_not_below = std::lower_bound(x.begin(), x.begin() + rows, value);
        const std::size_t k = static_cast<std::size_t>(first_not_below - x.begin());
        if (k == 0)
          return y[0];
        if (k == rows)
          return y[rows - 1];
        const double w = (value - x[k - 1]) / (x[k] - x[k - 1]);
        return (1.0 - w) * y[k - 1] + w * y[k];
      }
    } // namespace

    double OneDimSolver::interpolate(const std::vector<double> &x, const std::vector<double> &y,
                                     double value)
    {
      ORR_ASSERT_THROW(x.size() > 0 && y.size() > 0, ExcIo("The interpolation table is empty."));
      // A one-row table is a constant.
      if (x.size() == 1 || y.size() == 1)
        return y[0];
      ORR_ASSERT_THROW(x[0] < x[1], ExcIo("The interpolation table should be in ascending order."));
      return lookup(x, y, value);
    }

    std::vector<double> OneDimSolver::interpolate(const std::vector<double> &x,
                                                  const std::vector<double> &y,
                                                  std::vector<double> values)
    {
      ORR_ASSERT_THROW(x.size() > 0 && y.size() > 0, ExcIo("The interpolation table is empty."));
      if (x.size() == 1 || y.size() == 1)
      {
        std::fill(values.begin(), values.end(), y[0]);
        return values;
      }
      ORR_ASSERT_THROW(x[0] < x[1], ExcIo("The interpolation table should be in ascending order."));
      for (double &value : values)
        value = lookup(x, y, value);
      return values;
    }
  } // namespace quill
} // namespace orr
