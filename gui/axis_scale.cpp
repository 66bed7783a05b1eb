#include "axis_scale.h"

#include <cmath>

#include <qcustomplot.h>

namespace {

// Ranges narrower than this many decades also get ticks at 2 and 5 times each power of ten,
// so that at least two labels show.
constexpr double FEW_DECADES = 2.0;

// Ticks of a log axis: every decade rather than the few the stock log ticker picks for a
// wide range.
class DecadeTicker : public QCPAxisTickerLog
{
protected:
    int getSubTickCount(double) override { return fineTicks ? 0 : 8; }

    QVector<double> createTickVector(double, const QCPRange &range) override
    {
        QVector<double> ticks;
        if (range.lower <= 0.0 || range.upper <= 0.0)
            return ticks;
        fineTicks = std::log10(range.upper / range.lower) < FEW_DECADES;
        const int first = int(std::floor(std::log10(range.lower)));
        const int last = int(std::ceil(std::log10(range.upper)));
        for (int decade = first; decade <= last; ++decade) {
            const double power = std::pow(10.0, decade);
            ticks << power;
            if (fineTicks && decade < last)
                ticks << 2.0 * power << 5.0 * power;
        }
        return ticks;
    }

private:
    bool fineTicks = false;
};

} // namespace

void setAxisScale(QCPAxis *axis, bool logarithmic)
{
    if (logarithmic) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        axis->setTicker(QSharedPointer<DecadeTicker>::create());
        // Plain numbers, with powers of ten written as such only where they get long.
        axis->setNumberFormat("gb");
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
        axis->setNumberFormat("gbd");
    }
}
