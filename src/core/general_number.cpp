#include "general_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <utility>

// On x86-64 the digits of a number are worked out eight at a time in SSE2 lanes, elsewhere in
// the lanes of a 64-bit word.
#if defined(__SSE2__) && defined(__x86_64__)
#  define ORR_DIGITS_IN_SSE2_LANES
#  include <emmintrin.h>
#endif

#include "exceptions.h"

namespace orr
{
  namespace
  {
    using UInt128 = unsigned __int128;

    /** The largest precision formatted here: 10^18 leaves room in 64 bits for a tenfold. */
    constexpr int MAX_FAST_PRECISION = 18;
    /** The largest power of five below 2^64: the bound of the decimal scaling done here. */
    constexpr int MAX_POWER_OF_FIVE = 27;

    constexpr std::uint64_t power_of(const std::uint64_t base, const int exponent)
    {
      std::uint64_t power = 1;
      for (int i = 0; i < exponent; ++i)
        power *= base;
      return power;
    }

    constexpr std::uint64_t POWERS_OF_FIVE[] = {
      power_of(5, 0),  power_of(5, 1),  power_of(5, 2),  power_of(5, 3),  power_of(5, 4),  power_of(5, 5),
      power_of(5, 6),  power_of(5, 7),  power_of(5, 8),  power_of(5, 9),  power_of(5, 10), power_of(5, 11),
      power_of(5, 12), power_of(5, 13), power_of(5, 14), power_of(5, 15), power_of(5, 16), power_of(5, 17),
      power_of(5, 18), power_of(5, 19), power_of(5, 20), power_of(5, 21), power_of(5, 22), power_of(5, 23),
      power_of(5, 24), power_of(5, 25), power_of(5, 26), power_of(5, 27)};

    constexpr std::uint64_t POWERS_OF_TEN[] = {
      power_of(10, 0),  power_of(10, 1),  power_of(10, 2),  power_of(10, 3),  power_of(10, 4),
      power_of(10, 5),  power_of(10, 6),  power_of(10, 7),  power_of(10, 8),  power_of(10, 9),
      power_of(10, 10), power_of(10, 11), power_of(10, 12), power_of(10, 13), power_of(10, 14),
      power_of(10, 15), power_of(10, 16), power_of(10, 17), power_of(10, 18)};

    /**
     * floor(log10(2^exponent)) or one off: 78913 / 2^18 is log10(2) to six digits, and the
     * shift of a negative product rounds down.
     */
    int estimated_log10_of_power_of_two(const int exponent)
    {
      return (exponent * 78913) >> 18;
    }

    /**
     * A double m * 2^e times 10^k: its integer part and how the rest compares with a half
     * (-1 below, 0 equal, 1 above), computed exactly. False where the numbers do not fit in
     * 128 bits or the integer part not in 64.
     */
    bool scale_exactly_in_general(const std::uint64_t m, const int e, const int k, std::uint64_t &integer_part,
                                  int &rest);

    /** scale_exactly_in_general, quicker in the usual case. */
    inline bool scale_exactly(const std::uint64_t m, const int e, const int k, std::uint64_t &integer_part, int &rest)
    {
      // The usual case: m * 5^k shifted down by 1 to 63 bits, done with 64-bit shifts (a
      // 128-bit shift by a variable count is slow).
      const int halvings = -(e + k);
      if (k < 0 || k > MAX_POWER_OF_FIVE || halvings <= 0 || halvings >= 64)
        return scale_exactly_in_general(m, e, k, integer_part, rest);
      const UInt128       numerator = UInt128(m) * POWERS_OF_FIVE[k];
      const std::uint64_t high = static_cast<std::uint64_t>(numerator >> 64), low = static_cast<std::uint64_t>(numerator);
      if ((high >> halvings) != 0)
        return false;
      integer_part                  = (high << (64 - halvings)) | (low >> halvings);
      const std::uint64_t remainder = low & ((std::uint64_t(1) << halvings) - 1);
      const std::uint64_t half      = std::uint64_t(1) << (halvings - 1);
      rest                          = (remainder > half) - (remainder < half);
      return true;
    }

    bool scale_exactly_in_general(const std::uint64_t m, const int e, const int k, std::uint64_t &integer_part,
                                  int &rest)
    {
      if (k > MAX_POWER_OF_FIVE || -k > MAX_POWER_OF_FIVE)
        return false;
      // m * 2^e * 10^k = m * 5^k * 2^(e + k) when k >= 0, m * 2^(e + k) / 5^-k otherwise.
      UInt128 numerator    = k >= 0 ? UInt128(m) * POWERS_OF_FIVE[k] : UInt128(m);
      int     power_of_two = e + k;
      if (k >= 0 && power_of_two < 0 && power_of_two > -128)
        {
          // A shift down: the rest is the bits shifted out, compared with a half when
          // shifted up to the top.
          const int     halvings = -power_of_two;
          const UInt128 shifted_out = numerator << (128 - halvings), half = UInt128(1) << 127;
          if ((numerator >> halvings) >> 64 != 0)
            return false;
          integer_part = static_cast<std::uint64_t>(numerator >> halvings);
          rest         = (shifted_out > half) - (shifted_out < half);
          return true;
        }
      if (power_of_two > 0)
        {
          if (power_of_two >= 64 || (numerator >> (127 - power_of_two)) != 0)
            return false;
          numerator <<= power_of_two;
          power_of_two = 0;
        }
      // What is left: an integer (k >= 0), or a division by 5^-k * 2^halvings (k < 0).
      const int halvings = -power_of_two;
      if (k < 0 && halvings > 63)
        return false;
      const UInt128 divisor   = k >= 0 ? UInt128(1) : UInt128(POWERS_OF_FIVE[-k]) << halvings;
      const UInt128 quotient  = numerator / divisor;
      const UInt128 remainder = numerator % divisor;
      if ((quotient >> 64) != 0)
        return false;
      integer_part = static_cast<std::uint64_t>(quotient);
      // divisor < 2^127, so twice the remainder does not overflow.
      const UInt128 twice = remainder << 1;
      rest                = twice < divisor ? -1 : twice == divisor ? 0 : 1;
      return true;
    }

    constexpr char DIGIT_PAIRS[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                   "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                   "8081828384858687888990919293949596979899";

    void write_two_digits(char *const text, const std::uint32_t value)
    {
      std::memcpy(text, DIGIT_PAIRS + 2 * value, 2);
    }

    // The text is put together in 64-bit words whose lowest byte is the first character.
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#  error "the number text is put together for little-endian machines"
#endif

    /** A word of eight times '0'. */
    constexpr std::uint64_t ZERO_CHARACTERS = 0x3030303030303030;

#if defined(ORR_DIGITS_IN_SSE2_LANES)
    /**
     * The eight digits of `value` < 10^8 as eight 16-bit lanes, the first in the lowest: each
     * lane divides the value by its power of ten with a multiplication, then takes off ten
     * times the lane before it.
     */
    __m128i eight_digit_lanes(const std::uint32_t value)
    {
      // abcd and efgh: the value's first and last four digits
      const __m128i abcdefgh = _mm_cvtsi32_si128(static_cast<int>(value));
      const __m128i abcd     = _mm_srli_epi64(_mm_mul_epu32(abcdefgh, _mm_set1_epi32(static_cast<int>(0xd1b71759))), 45);
      const __m128i efgh     = _mm_sub_epi32(abcdefgh, _mm_mul_epu32(abcd, _mm_set1_epi32(10000)));
      // 4 abcd four times, then 4 efgh four times (times 4 for the precision of the products)
      const __m128i pair     = _mm_slli_epi64(_mm_unpacklo_epi16(abcd, efgh), 2);
      const __m128i repeated = _mm_unpacklo_epi32(_mm_unpacklo_epi16(pair, pair), _mm_unpacklo_epi16(pair, pair));
      // a, ab, abc, abcd, e, ef, efg, efgh: the divisions by 1000, 100, 10 and 1 as two
      // multiplications keeping the high halves: 4y * 8389 >> 16 >> 9 is y / 1000 below 10^4,
      // and so on with 5243 and 2^-5, 13108 and 2^-3, 2^15 and 2^-1
      const __m128i reciprocals = _mm_setr_epi16(8389, 5243, 13108, -32768, 8389, 5243, 13108, -32768);
      const __m128i shifts      = _mm_setr_epi16(1 << 7, 1 << 11, 1 << 13, -32768, 1 << 7, 1 << 11, 1 << 13, -32768);
      const __m128i leading     = _mm_mulhi_epu16(_mm_mulhi_epu16(repeated, reciprocals), shifts);
      return _mm_sub_epi16(leading, _mm_slli_epi64(_mm_mullo_epi16(leading, _mm_set1_epi16(10)), 16));
    }
#endif

    /** A word whose lowest `count` (0 to 8) bytes are all ones. */
    std::uint64_t low_bytes(const int count)
    {
      // Two shifts, as a shift by 64 would not be defined.
      return ((std::uint64_t(1) << (4 * count)) << (4 * count)) - 1;
    }

    void store_word(char *const text, const std::uint64_t word)
    {
      std::memcpy(text, &word, sizeof word);
    }

    /** '0', '.', then '0's: the characters of 0.000000 */
    constexpr std::uint64_t ZERO_POINT = 0x3030303030302E30;

#if defined(ORR_DIGITS_IN_SSE2_LANES)
    /**
     * The digits of a number of `PRECISION` digits as bytes, followed by zeros up to 18: the
     * first 16 in the lanes of `head`, the last two in `tail`.
     */
    struct DigitBytes
    {
      __m128i       head;
      std::uint64_t tail;
    };

    template <int PRECISION>
    DigitBytes digit_bytes(const std::uint64_t digits)
    {
      if constexpr (PRECISION <= 8)
        {
          const __m128i lanes = eight_digit_lanes(static_cast<std::uint32_t>(digits * POWERS_OF_TEN[8 - PRECISION]));
          return {_mm_packus_epi16(lanes, _mm_setzero_si128()), 0};
        }
      const std::uint64_t all    = digits * POWERS_OF_TEN[MAX_FAST_PRECISION - PRECISION];
      const std::uint64_t first  = all / 10000000000;
      const std::uint64_t last   = all - first * 10000000000;
      const std::uint64_t middle = last / 100;
      const std::uint64_t tail   = last - middle * 100;
      return {_mm_packus_epi16(eight_digit_lanes(static_cast<std::uint32_t>(first)),
                               eight_digit_lanes(static_cast<std::uint32_t>(middle))),
              (tail / 10) | ((tail % 10) << 8)};
    }

    /** How many of the 18 digits lead up to the last that is not zero (the others end the number). */
    int significant_digits(const DigitBytes &digits)
    {
      const auto zeros   = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(digits.head, _mm_setzero_si128())));
      const auto nonzero = (~zeros & 0xFFFF) | static_cast<std::uint32_t>((digits.tail & 0xFF) != 0) << 16
                           | static_cast<std::uint32_t>((digits.tail >> 8) != 0) << 17;
      return nonzero == 0 ? 0 : 32 - __builtin_clz(nonzero);
    }

    /**
     * Stores the 18 digit characters of `digits` with a point after the first
     * `before_point` (1 to 18) in text[0, 19), and bytes of no meaning up to text[24).
     */
    void store_with_point(char *const text, const DigitBytes &digits, const int before_point)
    {
      // Characters before the point are the digits as they are, the later ones one place on.
      const __m128i characters = _mm_add_epi8(digits.head, _mm_set1_epi8('0'));
      const __m128i after      = _mm_cmpgt_epi8(_mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15),
                                                _mm_set1_epi8(static_cast<char>(before_point - 1)));
      _mm_storeu_si128(reinterpret_cast<__m128i *>(text),
                       _mm_or_si128(_mm_andnot_si128(after, characters), _mm_and_si128(after, _mm_slli_si128(characters, 1))));
      // Characters 16 on: digits 16 and 17 as they are, or digits 15 to 17 one place on.
      const std::uint64_t last   = digits.tail + ZERO_CHARACTERS;
      const std::uint64_t before = low_bytes(std::min(std::max(before_point - 16, 0), 3));
      const std::uint64_t moved  = (last << 8) | static_cast<std::uint64_t>(_mm_extract_epi16(characters, 7) >> 8);
      store_word(text + 16, (last & before) | (moved & ~before));
      text[before_point] = '.';
    }

    /**
     * Stores "0." and zeros, `prefix` (2 to 5) characters in all, then the 18 digit
     * characters of `digits`, in text[0, prefix + 18), and bytes of no meaning up to
     * text[prefix + 24).
     */
    void store_after_zero_point(char *const text, const DigitBytes &digits, const int prefix)
    {
      store_word(text, ZERO_POINT);
      _mm_storeu_si128(reinterpret_cast<__m128i *>(text + prefix), _mm_add_epi8(digits.head, _mm_set1_epi8('0')));
      store_word(text + prefix + 16, digits.tail + ZERO_CHARACTERS);
    }
#else
    /** The eight digits of `value` < 10^8 as the bytes of a word, the first in the lowest. */
    std::uint64_t eight_digit_bytes(const std::uint32_t value)
    {
      // Split into four-digit, then two-digit, then one-digit lanes, all lanes at once:
      // y * 10486 >> 20 is y / 100 below 10^4, y * 103 >> 10 is y / 10 below 100.
      std::uint64_t lanes    = (value / 10000) | (std::uint64_t(value % 10000) << 32);
      std::uint64_t quotients = ((lanes * 10486) >> 20) & 0x0000007F0000007F;
      lanes                  = quotients | ((lanes - quotients * 100) << 16);
      quotients              = ((lanes * 103) >> 10) & 0x000F000F000F000F;
      return quotients | ((lanes - quotients * 10) << 8);
    }

    /**
     * The digits of a number of `PRECISION` digits as bytes of three words, followed by
     * zeros up to 18 digits (the third word holds two).
     */
    struct DigitBytes
    {
      std::uint64_t words[3];
    };

    template <int PRECISION>
    DigitBytes digit_bytes(const std::uint64_t digits)
    {
      if constexpr (PRECISION <= 8)
        return {{eight_digit_bytes(static_cast<std::uint32_t>(digits * POWERS_OF_TEN[8 - PRECISION])), 0, 0}};
      const std::uint64_t all    = digits * POWERS_OF_TEN[MAX_FAST_PRECISION - PRECISION];
      const std::uint64_t first  = all / 10000000000;
      const std::uint64_t last   = all - first * 10000000000;
      const std::uint64_t middle = last / 100;
      const std::uint64_t tail   = last - middle * 100;
      return {{eight_digit_bytes(static_cast<std::uint32_t>(first)), eight_digit_bytes(static_cast<std::uint32_t>(middle)),
               (tail / 10) | ((tail % 10) << 8)}};
    }

    /** How many bytes of `word` lead up to its last that is not zero (0 if none is). */
    int bytes_up_to_last_nonzero(const std::uint64_t word)
    {
      // A digit byte plus 0x7f has its top bit set unless the digit is 0.
      const std::uint64_t nonzero = (word + 0x7F7F7F7F7F7F7F7F) & 0x8080808080808080;
      return nonzero == 0 ? 0 : (71 - __builtin_clzll(nonzero)) / 8;
    }

    /** How many of the 18 digits lead up to the last that is not zero (the others end the number). */
    int significant_digits(const DigitBytes &digits)
    {
      const int last = bytes_up_to_last_nonzero(digits.words[2]);
      const int middle = bytes_up_to_last_nonzero(digits.words[1]);
      return last ? 16 + last : middle ? 8 + middle : bytes_up_to_last_nonzero(digits.words[0]);
    }

    /**
     * Stores the 18 digit characters of `digits` with a point after the first
     * `before_point` (1 to 18) in text[0, 19), and bytes of no meaning up to text[24).
     */
    void store_with_point(char *const text, const DigitBytes &digits, const int before_point)
    {
      const std::uint64_t *const c = digits.words;
      const std::uint64_t shifted[3] = {c[0] << 8, (c[1] << 8) | (c[0] >> 56), (c[2] << 8) | (c[1] >> 56)};
      for (int i = 0; i < 3; ++i)
        {
          // bytes before the point from the digits as they are, the later ones one place on
          const std::uint64_t before = low_bytes(std::min(std::max(before_point - 8 * i, 0), 8));
          store_word(text + 8 * i, ((c[i] & before) | (shifted[i] & ~before)) + ZERO_CHARACTERS);
        }
      text[before_point] = '.';
    }

    /**
     * Stores "0." and zeros, `prefix` (2 to 5) characters in all, then the 18 digit
     * characters of `digits`, in text[0, prefix + 18), and bytes of no meaning up to text[24).
     */
    void store_after_zero_point(char *const text, const DigitBytes &digits, const int prefix)
    {
      const std::uint64_t *const c     = digits.words;
      const int                  shift = 8 * prefix;
      store_word(text, ((c[0] + ZERO_CHARACTERS) << shift) | (ZERO_POINT & low_bytes(prefix)));
      store_word(text + 8, ((c[1] + ZERO_CHARACTERS) << shift) | ((c[0] + ZERO_CHARACTERS) >> (64 - shift)));
      store_word(text + 16, ((c[2] + ZERO_CHARACTERS) << shift) | ((c[1] + ZERO_CHARACTERS) >> (64 - shift)));
    }
#endif

    /** The smallest and largest decimal exponents whose powers of ten are tabled below. */
    constexpr int LOWEST_TEN_EXPONENT  = -30;
    constexpr int HIGHEST_TEN_EXPONENT = 45;

    /** The doubles nearest to 10^-30 ... 10^45 (exact from 10^0 to 10^22). */
    constexpr double POWERS_OF_TEN_AS_DOUBLES[] = {
      1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15,
      1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
      1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,
      1e18,  1e19,  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30,  1e31,  1e32,  1e33,
      1e34,  1e35,  1e36,  1e37,  1e38,  1e39,  1e40,  1e41,  1e42,  1e43,  1e44,  1e45};

    /** A double as `precision` significant decimal digits and the decimal exponent of the first. */
    struct Decimal
    {
      std::uint64_t digits;
      int           exponent;
      bool          negative;
    };

    /**
     * `value` rounded to `precision` significant digits, exactly and half to even as printf
     * rounds; false where `value` is zero, not finite, subnormal or outside the range done
     * here. The precision is a constant of each version, which leaves much of the work to
     * the compiler.
     */
    template <int precision>
    bool round_exactly(const double value, Decimal &decimal)
    {
      static_assert(precision >= 1 && precision <= MAX_FAST_PRECISION, "a precision formatted here");
      std::uint64_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      const int biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
      if (biased_exponent == 0 || biased_exponent == 0x7ff)
        return false;
      const std::uint64_t m = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
      const int           e = biased_exponent - 1075;

      // The decimal exponent is that of the leading bit 2^(e + 52) or one more: the table
      // tells which, unless the value lies within a rounding of a power of ten, where the
      // digits found tell.
      int exponent = estimated_log10_of_power_of_two(e + 52);
      if (exponent < LOWEST_TEN_EXPONENT || exponent >= HIGHEST_TEN_EXPONENT)
        return false;
      exponent += std::fabs(value) >= POWERS_OF_TEN_AS_DOUBLES[exponent + 1 - LOWEST_TEN_EXPONENT];
      std::uint64_t digits;
      int           rest;
      for (int attempt = 0;; ++attempt)
        {
          if (attempt == 3 || !scale_exactly(m, e, precision - 1 - exponent, digits, rest))
            return false;
          if (digits >= POWERS_OF_TEN[precision])
            ++exponent;
          else if (digits < POWERS_OF_TEN[precision - 1])
            --exponent;
          else
            break;
        }
      // Round half to even (without a branch: either way is as likely).
      digits += static_cast<std::uint64_t>(rest > 0) | (static_cast<std::uint64_t>(rest == 0) & digits & 1);
      if (digits == POWERS_OF_TEN[precision])
        {
          digits /= 10;
          ++exponent;
        }
      decimal = {digits, exponent, (bits >> 63) != 0};
      return true;
    }

    /**
     * Writes the text of "%.<precision>g" for `decimal` to `text` (room for
     * GENERAL_NUMBER_ROOM characters) and returns its end.
     */
    template <int precision>
    char *write_decimal(char *text, const Decimal &decimal)
    {
      const int exponent = decimal.exponent;
      // The digits, followed by zeros up to 18, as bytes; %g drops the zeros that end them.
      const DigitBytes bytes       = digit_bytes<precision>(decimal.digits);
      const int        significant = significant_digits(bytes);
      if (decimal.negative)
        *text++ = '-';
      const bool exponential = exponent < -4 || exponent >= precision;
      if (!exponential && exponent < 0)
        {
          store_after_zero_point(text, bytes, 1 - exponent);
          return text + 1 - exponent + significant;
        }
      const int before_point = exponential ? 1 : exponent + 1;
      store_with_point(text, bytes, before_point);
      text += significant > before_point ? significant + 1 : before_point;
      if (!exponential)
        return text;
      *text++             = 'e';
      *text++             = exponent < 0 ? '-' : '+';
      const int magnitude = exponent < 0 ? -exponent : exponent;
      if (magnitude >= 100)
        *text++ = static_cast<char>('0' + magnitude / 100);
      write_two_digits(text, static_cast<std::uint32_t>(magnitude % 100));
      return text + 2;
    }

    /** Writes `value` as std::to_chars writes it in the general notation. */
    char *write_by_to_chars(char *const text, const double value, const int precision)
    {
      const std::to_chars_result result =
        std::to_chars(text, text + GENERAL_NUMBER_ROOM, value, std::chars_format::general, precision);
      ORR_ASSERT(result.ec == std::errc(), ExcInternalError());
      return result.ptr;
    }

    template <int precision>
    char *write_one(char *const text, const double value)
    {
      Decimal decimal;
      return round_exactly<precision>(value, decimal) ? write_decimal<precision>(text, decimal)
                                                      : write_by_to_chars(text, value, precision);
    }

    template <int precision>
    char *write_many(char *text, const double *const values, const std::size_t count, const char separator,
                     const char last_separator)
    {
      // A number takes long from its bits to its text, one step waiting for the next: the
      // numbers of a group are rounded side by side, then written, so that the processor
      // works on several at once.
      constexpr std::size_t GROUP = 8;
      for (std::size_t first = 0; first < count; first += GROUP)
        {
          const std::size_t size = std::min(GROUP, count - first);
          Decimal           decimals[GROUP];
          bool              exact[GROUP];
          for (std::size_t i = 0; i < size; ++i)
            exact[i] = round_exactly<precision>(values[first + i], decimals[i]);
          for (std::size_t i = 0; i < size; ++i)
            {
              text    = exact[i] ? write_decimal<precision>(text, decimals[i])
                                 : write_by_to_chars(text, values[first + i], precision);
              *text++ = first + i + 1 < count ? separator : last_separator;
            }
        }
      return text;
    }

    /** The writers of one precision. */
    struct PrecisionWriters
    {
      char *(*one)(char *, double);
      char *(*many)(char *, const double *, std::size_t, char, char);
    };

    template <std::size_t... PRECISIONS>
    constexpr std::array<PrecisionWriters, sizeof...(PRECISIONS)> precision_writers(std::index_sequence<PRECISIONS...>)
    {
      return {{{&write_one<static_cast<int>(PRECISIONS) + 1>, &write_many<static_cast<int>(PRECISIONS) + 1>}...}};
    }

    /** The writers of the precisions 1 to 18, at index precision - 1. */
    constexpr std::array<PrecisionWriters, MAX_FAST_PRECISION> WRITERS =
      precision_writers(std::make_index_sequence<MAX_FAST_PRECISION>());

    bool formatted_here(const int precision)
    {
      return precision >= 1 && precision <= MAX_FAST_PRECISION;
    }
  } // namespace

  char *write_general_number(char *const text, const double value, const int precision)
  {
    return formatted_here(precision) ? WRITERS[precision - 1].one(text, value) : write_by_to_chars(text, value, precision);
  }

  char *write_general_numbers(char *text, const double *const values, const std::size_t count, const int precision,
                              const char separator, const char last_separator)
  {
    if (formatted_here(precision))
      return WRITERS[precision - 1].many(text, values, count, separator, last_separator);
    for (std::size_t i = 0; i < count; ++i)
      {
        text    = write_by_to_chars(text, values[i], precision);
        *text++ = i + 1 < count ? separator : last_separator;
      }
    return text;
  }

  void append_general_number(std::string &text, const double value, const int precision)
  {
    NumberTextWriter(text, 1, 0).number(value, precision);
  }

  NumberTextWriter::NumberTextWriter(std::string &text, const std::size_t numbers, const std::size_t characters)
    : _text(text)
    , _numbers_left(numbers)
    , _characters_left(characters)
  {
    // Numbers are written in place: text copied from a buffer just written would wait for
    // the stores to reach the cache.
    const std::size_t size = text.size();
    text.resize(size + numbers * GENERAL_NUMBER_ROOM + characters);
    _end = &text[size];
  }

  NumberTextWriter::~NumberTextWriter()
  {
    _text.resize(static_cast<std::size_t>(_end - _text.data()));
  }
} // namespace orr
