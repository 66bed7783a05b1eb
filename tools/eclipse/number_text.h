#ifndef QUILL_ECLIPSE_NUMBER_TEXT_H
#define QUILL_ECLIPSE_NUMBER_TEXT_H

#include <string>

namespace orr
{
  namespace eclipse
  {
    /**
     * Appends value to text in the general notation with 12 significant digits: enough for
     * every input value, few enough that unit conversions leave no noise (40, not
     * 40.00000000000001).
     */
    void append_number(std::string &text, double value);

    /** value as append_number writes it. */
    std::string number_text(double value);
  } // namespace eclipse
} // namespace orr

#endif
