#ifndef ORR_SHORT_DECIMAL_H
#define ORR_SHORT_DECIMAL_H

#include <cstdint>
#include <cstring>

namespace orr
{
  namespace short_decimal_detail
  {
    /**
     * Appends the decimal digits that start at `c` to `whole` (which overflows, unnoticed,
     * past 19 digits) and returns the end of the digits. Eight characters at a time where
     * eight can be read: a run of digits of any length up to eight costs no branch on
     * where it ends.
     */
    inline const char *read_digits(const char *c, const char *const last, std::uint64_t &whole)
    {
      constexpr std::uint64_t ZEROS = 0x3030303030303030;  // eight '0'
      while (last - c >= 8)
        {
          std::uint64_t eight = 0;
          std::memcpy(&eight, c, 8);  // the first character in the lowest byte
          // A byte gets its top bit where the character is no digit: above '9' (+0x46), below
          // '0' (-0x30) or not ASCII. A carry or borrow only reaches the bytes after such a byte.
          const std::uint64_t no_digit = (eight | (eight + 0x4646464646464646) | (eight - ZEROS)) & 0x8080808080808080;
          const int           count    = no_digit == 0 ? 8 : __builtin_ctzll(no_digit) / 8;
          if (count == 0)
            return c;
          // The digits as the last `count` of eight, after leading zeros, then their value.
          std::uint64_t value = (eight - ZEROS) << (8 * (8 - count));
          value               = value * 10 + (value >> 8);
          value = (((value & 0x000000FF000000FF) * 0x000F424000000064) + (((value >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >> 32;
          static constexpr std::uint64_t POWERS[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
          whole = whole * POWERS[count] + (value & 0xFFFFFFFF);
          c += count;
          if (count < 8)
            return c;
        }
      for (; c != last && static_cast<unsigned char>(*c - '0') < 10; ++c)
        whole = whole * 10 + static_cast<std::uint64_t>(*c - '0');
      return c;
    }
  } // namespace short_decimal_detail

  /**
   * Reads a short decimal number from the start of [first, last) faster than
   * std::from_chars, to the same double: an optional minus sign, digits, optionally a point
   * followed by digits, and optionally an exponent ("e" or "E", a sign, digits). Where the
   * digits make a whole number up to 2^53 and the power of ten is within 10^-22 ... 10^22,
   * both are exact doubles and one division or multiplication rounds their quotient or
   * product correctly: the value std::from_chars gives (the numbers that value files hold,
   * written with 6 to 17 significant digits, are nearly all such).
   *
   * Returns the end of the number, which may be followed by anything; nullptr when the
   * text starts otherwise, leaving `value` unchanged: the caller reads it by the general
   * means.
   */
  inline const char *parse_short_decimal(const char *const first, const char *const last, double &value)
  {
    static constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int           LARGEST_EXACT_POWER   = 22;
    // More digits than this could overflow the 64-bit whole number.
    constexpr std::int64_t  MOST_DIGITS           = 19;
    constexpr std::uint64_t LARGEST_EXACT_WHOLE   = std::uint64_t(1) << 53;
    const auto digit = [last](const char *const c) { return c != last && static_cast<unsigned char>(*c - '0') < 10; };
    using short_decimal_detail::read_digits;

    const char *c        = first;
    const bool  negative = c != last && *c == '-';
    if (negative)
      ++c;
    std::uint64_t     whole        = 0;
    const char *const integer_part = c;
    c                              = read_digits(c, last, whole);
    if (c == integer_part)
      return nullptr;
    std::int64_t digits   = c - integer_part;
    std::int64_t exponent = 0;
    if (c != last && *c == '.')
      {
        const char *const fraction = ++c;
        c                          = read_digits(c, last, whole);
        if (c == fraction)
          return nullptr;
        digits += c - fraction;
        exponent = -(c - fraction);
      }
    if (digits > MOST_DIGITS || whole > LARGEST_EXACT_WHOLE)
      return nullptr;
    if (c != last && (*c == 'e' || *c == 'E'))
      {
        const char *e = c + 1;
        const bool  negative_power = e != last && *e == '-';
        if (e != last && (*e == '-' || *e == '+'))
          ++e;
        const char  *const power_digits = e;
        std::int64_t       power        = 0;
        for (; digit(e) && e - power_digits < 4; ++e)
          power = power * 10 + (*e - '0');
        if (e == power_digits || digit(e))
          return nullptr;
        exponent += negative_power ? -power : power;
        c = e;
      }
    if (exponent < -LARGEST_EXACT_POWER || exponent > LARGEST_EXACT_POWER)
      return nullptr;
    const double magnitude = exponent < 0 ? static_cast<double>(whole) / EXACT_POWERS_OF_TEN[-exponent]
                                          : static_cast<double>(whole) * EXACT_POWERS_OF_TEN[exponent];
    value = negative ? -magnitude : magnitude;
    return c;
  }
} // namespace orr

#endif
