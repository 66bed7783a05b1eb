#include "mkl_pardiso_solver.h"

#include "exceptions.h"
#include "sparse_lu_solver.h"

namespace orr
{
  namespace solver_utilities
  {
    std::vector<double> mkl_pardiso_solver(std::vector<double> &values, std::vector<int> &columns,
                                           std::vector<int> &rowIndex, std::vector<double> &rhs)
    {
      const std::size_t n = rhs.size();
      if (rowIndex.size() == n)
        rowIndex.push_back(static_cast<int>(values.size()) + 1);
      else if (rowIndex.size() != n + 1)
        ORR_ASSERT(false, ExcMessage("Pardiso cannot work! Check your rowIndex vector!"));

      if (n == 0)
        return std::vector<double>();

      SparseLuSolver solver(rowIndex, columns);
      return solver.solve(values, rhs);
    }
  } // namespace solver_utilities
} // namespace orr
