#ifndef VELDRA_AXIS_SCALE_H
#define VELDRA_AXIS_SCALE_H

class QCPAxis;

// Puts axis on a base-10 logarithmic scale with its ticks at powers of ten (logarithmic
// true), or on a linear scale with ordinary ticks.
void setAxisScale(QCPAxis *axis, bool logarithmic);

#endif // VELDRA_AXIS_SCALE_H
