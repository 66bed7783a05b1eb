#ifndef ORR_MKL_PARDISO_SOLVER_H
#define ORR_MKL_PARDISO_SOLVER_H

#include <vector>

namespace orr
{
  namespace solver_utilities
  {
    /**
     * Solves one sparse linear system A x = rhs, A given in 1-based compressed-row form
     * (analysis, factorisation and solve anew on every call).
     *
     *   values:   the non-zero entries, row by row;
     *   columns:  1-based column of each entry, ascending within a row;
     *   rowIndex: 1-based position in `values` of each row's first entry, either n entries
     *             or n + 1 with the closing entry (number of values + 1); with n entries the
     *             closing entry is appended to the caller's vector;
     *   rhs:      the right-hand side; its length is n.
     *
     * A rowIndex of any other length is a failed check (report and abort). Returns x
     * (n entries). Throws ExcMessage naming the fault for a malformed matrix, a singular
     * matrix, a failed factorisation or a solution that is not finite.
     */
    std::vector<double> mkl_pardiso_solver(std::vector<double> &values, std::vector<int> &columns,
                                           std::vector<int> &rowIndex, std::vector<double> &rhs);
  } // namespace solver_utilities
} // namespace orr

#endif
