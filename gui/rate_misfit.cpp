#include "rate_misfit.h"

#include <algorithm>
#include <cmath>

RateMisfit rateMisfit(const QVector<double> &forecastDay, const QVector<double> &forecastRate,
                      const QVector<double> &observedDay, const QVector<double> &observedRate)
{
  RateMisfit misfit;
  if (forecastDay.isEmpty())
    return misfit;
  double sumOfSquares = 0.0;
  for (int n = 0; n < observedDay.size(); ++n)
  {
    const double day = observedDay[n];
    const double observed = observedRate[n];
    if (!(observed > 0.0) || day < forecastDay.first() || day > forecastDay.last())
      continue;
    // The forecast points either side of the day; a day on a point takes that point.
    const auto after = std::lower_bound(forecastDay.begin(), forecastDay.end(), day);
    const int right = int(after - forecastDay.begin());
    double forecast = forecastRate[right];
    if (*after != day)
    {
      const int left = right - 1;
      const double weight = (day - forecastDay[left]) / (forecastDay[right] - forecastDay[left]);
      forecast = forecastRate[left] + weight * (forecastRate[right] - forecastRate[left]);
    }
    const double relative = (forecast - observed) / observed;
    sumOfSquares += relative * relative;
    ++misfit.pointCount;
  }
  if (misfit.pointCount > 0)
    misfit.rms = std::sqrt(sumOfSquares / misfit.pointCount);
  return misfit;
}
