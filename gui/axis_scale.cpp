#include "axis_scale.h"

#include <qcustomplot.h>

void setAxisScale(QCPAxis *axis, bool logarithmic)
{
    if (logarithmic) {
        auto ticker = QSharedPointer<QCPAxisTickerLog>::create();
        ticker->setLogBase(10.0);
        axis->setScaleType(QCPAxis::stLogarithmic);
        axis->setTicker(ticker);
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
}
