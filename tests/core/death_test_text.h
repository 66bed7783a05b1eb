#ifndef ORR_TESTS_CORE_DEATH_TEST_TEXT_H
#define ORR_TESTS_CORE_DEATH_TEST_TEXT_H

#include <string>

namespace orr
{
  namespace testing
  {
    /**
     * `text` as an extended regular expression that matches exactly that text, so that a
     * death test can pin a report line by line (brackets, parentheses and dots included).
     */
    inline std::string literal_regex(const std::string &text)
    {
      std::string regex;
      for (const char c : text)
      {
        if (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos)
          regex += '\\';
        regex += c;
      }
      return regex;
    }
  } // namespace testing
} // namespace orr

#endif
