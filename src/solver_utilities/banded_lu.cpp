#include "banded_lu.h"

#include <algorithm>
#include <utility>

#include "exceptions.h"

extern "C"
{
  // LAPACK (Fortran calling convention: every argument by address, character lengths last).
  void dgbtrf_(const int *m, const int *n, const int *kl, const int *ku, double *ab, const int *ldab,
               int *ipiv, int *info);
  void dgbtrs_(const char *trans, const int *n, const int *kl, const int *ku, const int *nrhs,
               const double *ab, const int *ldab, const int *ipiv, double *b, const int *ldb, int *info,
               std::size_t trans_length);
}

namespace orr
{
  namespace solver_utilities
  {
    BandedLu::BandedLu(const std::vector<int> &row_start, const std::vector<int> &columns, BandOrdering band)
      : _band(std::move(band))
      , _leading(2 * _band.lower + _band.upper + 1)
    {
      // dgbtrf keeps A(i, j) at row lower + upper + i - j of column j; the rows above take
      // the fill that row exchanges bring.
      const int n = static_cast<int>(row_start.size()) - 1;
      _band_offset.resize(columns.size());
      for (int row = 0; row < n; ++row)
        for (int e = row_start[row]; e < row_start[row + 1]; ++e)
        {
          const int i     = _band.position[row];
          const int j     = _band.position[columns[e]];
          _band_offset[e] = j * _leading + _band.lower + _band.upper + i - j;
        }
      _factors.resize(static_cast<std::size_t>(_leading) * n);
      _pivots.resize(n);
      _work.resize(n);
    }

    int BandedLu::factorise(const std::vector<double> &values)
    {
      ORR_ASSERT(values.size() == _band_offset.size(), ExcInternalError());
      std::fill(_factors.begin(), _factors.end(), 0.0);
      for (std::size_t e = 0; e < values.size(); ++e)
        _factors[_band_offset[e]] = values[e];
      const int n    = static_cast<int>(_pivots.size());
      int       info = 0;
      dgbtrf_(&n, &n, &_band.lower, &_band.upper, _factors.data(), &_leading, _pivots.data(), &info);
      ORR_ASSERT(info >= 0, ExcInternalError());
      return info;
    }

    void BandedLu::solve(const std::vector<double> &rhs, std::vector<double> &x)
    {
      const int n = static_cast<int>(_pivots.size());
      for (int k = 0; k < n; ++k)
        _work[k] = rhs[_band.order[k]];
      const char no_transpose = 'N';
      const int  one          = 1;
      int        info         = 0;
      dgbtrs_(&no_transpose, &n, &_band.lower, &_band.upper, &one, _factors.data(), &_leading, _pivots.data(),
              _work.data(), &n, &info, 1);
      ORR_ASSERT(info == 0, ExcInternalError());
      x.resize(n);
      for (int k = 0; k < n; ++k)
        x[_band.order[k]] = _work[k];
    }
  } // namespace solver_utilities
} // namespace orr
