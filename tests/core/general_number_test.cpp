#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "general_number.h"

namespace
{
  void expect_text_of_printf(const double value, const int precision)
  {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.*g", precision, value);
    std::string text;
    orr::append_general_number(text, value, precision);
    EXPECT_EQ(text, expected) << std::hexfloat << value << " at precision " << precision;
  }
} // namespace

// The whole range of doubles against snprintf is in number_format_bench; these are the
// cases where a formatter goes wrong.
TEST(GeneralNumber, TextIsThatOfPrintf)
{
  const double max = std::numeric_limits<double>::max();
  for (const double value : {0.0, -0.0, 0.1, -1.0 / 3.0, 1234567.0, 1e-300, 1.79769e+308, max,
                             std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                             // where notation changes, and where rounding carries into a new digit
                             1e-5, 9.99999e-5, 9.999995e-5, 1e-4, 999999.5, 999999.4, 99999949999999999.0,
                             1e17, 1e18, 9.9999999999999999e17, 1e27, 1e-10, 2.5e-11,
                             // exact halfway cases, rounded to even: 2^-26 has 19 digits ending in 5
                             123456.5, 123457.5, 1234565.0, std::ldexp(1.0, -26), std::ldexp(3.0, -26),
                             0.5, 2.5, 1e308, 8.5, 12.5})
    for (const int precision : {1, 2, 6, 12, 17, 18})
    {
      expect_text_of_printf(value, precision);
      expect_text_of_printf(std::nextafter(value, max), precision);
      expect_text_of_printf(std::nextafter(value, -max), precision);
    }
}

TEST(GeneralNumber, NumbersWrittenSideBySideAreThoseWrittenOneByOne)
{
  // More than one group, with values formatted exactly and values left to std::to_chars.
  std::vector<double> values;
  for (int i = 0; i < 21; ++i)
    values.push_back(i % 5 == 0 ? std::ldexp(1.0, -1060 + i) : std::pow(-3.7, i) / 7.0);
  for (const int precision : {6, 18, 25})
  {
    std::string expected;
    for (std::size_t i = 0; i < values.size(); ++i)
    {
      orr::append_general_number(expected, values[i], precision);
      expected += i + 1 < values.size() ? ',' : '\n';
    }
    std::vector<char> text(values.size() * (orr::GENERAL_NUMBER_ROOM + 1));
    const char *const end =
      orr::write_general_numbers(text.data(), values.data(), values.size(), precision, ',', '\n');
    EXPECT_EQ(std::string(static_cast<const char *>(text.data()), end), expected) << "precision " << precision;
  }
}

TEST(GeneralNumber, EveryGroupOfFourDigitsInEveryPlace)
{
  // The digits are worked out in groups of four: each group, with another beside it, as the
  // first and the last four digits of eight, and in each half of sixteen.
  for (int group = 0; group < 10000; ++group)
  {
    const double other = (group * 7919) % 10000;
    const double eight = group * 1e4 + other, swapped = other * 1e4 + group;
    for (const double value : {eight, swapped, eight * 1e8 + swapped})
      for (const int precision : {8, 18})
        expect_text_of_printf(value, precision);
  }
}
