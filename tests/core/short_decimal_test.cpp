#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "short_decimal.h"

namespace
{
  /** Whether parse_short_decimal reads `text` as std::from_chars does, to the bit; counts the texts it reads. */
  ::testing::AssertionResult reads_as_from_chars(const std::string &text, int &read)
  {
    const char *const first = text.data();
    const char *const last  = first + text.size();
    double            value = 0.0;
    const char *const end   = orr::parse_short_decimal(first, last, value);
    if (end == nullptr)
      return ::testing::AssertionSuccess();
    ++read;
    double                       expected = 0.0;
    const std::from_chars_result result   = std::from_chars(first, last, expected);
    if (result.ec != std::errc() || result.ptr != end || std::memcmp(&value, &expected, sizeof value) != 0)
      return ::testing::AssertionFailure() << "\"" << text << "\" gives " << value << " to " << (end - first)
                                           << ", from_chars " << expected << " to " << (result.ptr - first);
    return ::testing::AssertionSuccess();
  }
} // namespace

TEST(ShortDecimal, GivesTheDoubleOfFromChars)
{
  std::mt19937_64 engine(3);
  int             read = 0;

  // Random doubles as the writers print them: 6 and 17 significant digits, fixed and with exponents.
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  for (int n = 0; n < 200000; ++n)
    {
      const double value = (engine() % 2 == 0 ? 1.0 : -1.0) * mantissa(engine)
                           * std::pow(10.0, static_cast<int>(engine() % 61) - 30);
      for (const char *format : {"%.6g", "%.17g", "%.3f", "%.10e"})
        {
          char text[400];
          std::snprintf(text, sizeof text, format, value);
          // Alone, and with more text after it, as in a file.
          EXPECT_TRUE(reads_as_from_chars(text, read));
          EXPECT_TRUE(reads_as_from_chars(text + std::string(" 76543210\n"), read));
        }
    }

  // Texts of the shapes at the edges: long digit strings, large and small powers, signs,
  // points without digits, exponents without digits, text after the number.
  const char pieces[] = "0123456789012345678901234567890.eE+-x/: \xB9\xBA";
  for (int n = 0; n < 200000; ++n)
    {
      std::string text;
      const int   length = 1 + static_cast<int>(engine() % 30);
      for (int c = 0; c < length; ++c)
        text += engine() % 3 == 0 ? pieces[engine() % (sizeof pieces - 1)] : static_cast<char>('0' + engine() % 10);
      EXPECT_TRUE(reads_as_from_chars(text, read));
    }
  for (const char *text : {"9007199254740992", "9007199254740993", "1e22", "1e23", "123456789e-22", "1e-23",
                           "0.000000000000000000001", "-0", "-0.0e5", "4.94e-324", "1.7976931348623157e308"})
    EXPECT_TRUE(reads_as_from_chars(text, read)) << text;
  // The values that files written with 6 significant digits hold are read this way.
  for (const char *text : {"25.5211", "1e-05", "0.2", "-3.14159e+08", "100"})
    {
      double value = 0.0;
      EXPECT_NE(orr::parse_short_decimal(text, text + std::strlen(text), value), nullptr) << text;
    }
  EXPECT_GT(read, 0);
}
