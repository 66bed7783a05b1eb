#include "number_text.h"

#include <charconv>

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      const int SIGNIFICANT_DIGITS = 12;
      // Sign, 12 digits, point, exponent: far below this.
      const int LONGEST_NUMBER = 32;
    } // namespace

    void append_number(std::string &text, double value)
    {
      char buffer[LONGEST_NUMBER];
      const std::to_chars_result written =
        std::to_chars(buffer, buffer + LONGEST_NUMBER, value, std::chars_format::general, SIGNIFICANT_DIGITS);
      text.append(buffer, written.ptr);
    }

    std::string number_text(double value)
    {
      std::string text;
      append_number(text, value);
      return text;
    }
  } // namespace eclipse
} // namespace orr
