#include "number_text.h"

#include "general_number.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      const int SIGNIFICANT_DIGITS = 12;
    } // namespace

    void append_number(std::string &text, double value)
    {
      append_general_number(text, value, SIGNIFICANT_DIGITS);
    }

    std::string number_text(double value)
    {
      std::string text;
      append_number(text, value);
      return text;
    }
  } // namespace eclipse
} // namespace orr
