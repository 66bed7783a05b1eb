#ifndef VELDRA_AXIS_SCALE_H
#define VELDRA_AXIS_SCALE_H

class QCPAxis;

// Puts axis on a base-10 logarithmic scale with a labelled tick at every power of ten, and
// at 2 and 5 times each as well where the range spans less than two decades (logarithmic
// true), or on a linear scale with ordinary ticks.
void setAxisScale(QCPAxis *axis, bool logarithmic);

#endif // VELDRA_AXIS_SCALE_H
