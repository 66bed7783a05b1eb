#ifndef ORR_QUILL_INFINITE_VALUE_H
#define ORR_QUILL_INFINITE_VALUE_H

namespace orr
{
  namespace quill
  {
    /**
     * The value that stands for "infinite" in fast marching: the tau of a cell that no
     * open face reaches, the coefficient of a face of zero length, the stop value of the
     * march; for the initial viscosity and compressibility it means "not given". It is the
     * decimal literal 1.79769e308, slightly below the largest double, so that it survives
     * a round trip through text with six significant digits.
     */
    constexpr double INFINITE_VALUE = 1.79769e308;
  } // namespace quill
} // namespace orr

#endif
