#ifndef QUILL_ENSEMBLE_STATISTICS_H
#define QUILL_ENSEMBLE_STATISTICS_H

#include <vector>

namespace orr
{
  namespace ensemble
  {
    /**
     * The value exceeded by `percent` % of a sample, by the petroleum convention: P90 is the
     * low case, P10 the high case. With the n values sorted ascending, x[0] ... x[n-1], it is
     * the statistical quantile q = 1 - percent / 100 taken by linear interpolation between the
     * order statistics: h = (n - 1) q, x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]).
     * An infinite value (a cell never reached) makes the result infinite wherever it takes
     * part with a weight above 0.
     *
     * sorted: the sample, ascending, at least one value; percent: 0 to 100.
     */
    double exceeded_by(const std::vector<double> &sorted, double percent);

    /** The arithmetic mean of a sample of at least one value. */
    double mean_of(const std::vector<double> &sample);
  } // namespace ensemble
} // namespace orr

#endif
