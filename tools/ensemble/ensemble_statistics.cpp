#include "ensemble_statistics.h"

#include <cmath>
#include <numeric>

namespace orr
{
  namespace ensemble
  {
    double exceeded_by(const std::vector<double> &sorted, const double percent)
    {
      // Multiplying before dividing keeps h exact for whole percents: 9 x 90 / 100 is 8.1 exactly as a double can hold it.
      const double      h        = (sorted.size() - 1) * (100.0 - percent) / 100.0;
      const std::size_t below    = static_cast<std::size_t>(std::floor(h));
      const double      fraction = h - below;
      if (fraction == 0.0 || below + 1 >= sorted.size())
        return sorted[below];
      if (std::isinf(sorted[below + 1]))
        return sorted[below + 1];
      return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
    }

    double mean_of(const std::vector<double> &sample)
    {
      return std::accumulate(sample.begin(), sample.end(), 0.0) / sample.size();
    }
  } // namespace ensemble
} // namespace orr
