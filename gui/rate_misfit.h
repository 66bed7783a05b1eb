#ifndef VELDRA_RATE_MISFIT_H
#define VELDRA_RATE_MISFIT_H

#include <QVector>

// How far a rate forecast lies from the rates measured: the root mean square of the relative
// differences (forecast - observed) / observed.
struct RateMisfit
{
  double rms = 0.0;   // as a fraction: 0.1 is 10 %
  int pointCount = 0; // measurements compared; 0: none, and rms means nothing
};

// Compares every observed rate that is above 0 and measured on a day within the forecast's
// first to last day with the forecast at that day, interpolated linearly between its points.
//   forecastDay, forecastRate  the forecast, days increasing, both of one length
//   observedDay, observedRate  the measurements, both of one length; NaN rates are skipped
RateMisfit rateMisfit(const QVector<double> &forecastDay, const QVector<double> &forecastRate,
                      const QVector<double> &observedDay, const QVector<double> &observedRate);

#endif // VELDRA_RATE_MISFIT_H
