#ifndef ORR_GENERAL_NUMBER_H
#define ORR_GENERAL_NUMBER_H

#include <cstddef>
#include <string>

#include "exceptions.h"

namespace orr
{
  /**
   * The bytes that write_general_number may store from where it writes: the text of the
   * number and, after it, bytes of no meaning.
   */
  constexpr std::size_t GENERAL_NUMBER_ROOM = 32;

  /**
   * Writes `value` in the general notation with `precision` significant digits at `text`,
   * which has room for GENERAL_NUMBER_ROOM bytes, and returns the end of the text: the text
   * of printf's "%.<precision>g" (and of a C++ stream with that precision), without locale
   * or stream work. Infinities and NaN give "inf", "-inf" and "nan" as printf does.
   *
   * The result files hold tens of millions of numbers, so the usual case (a normal double
   * from about 1e-10 to 1e27, precision up to 18) is formatted exactly with 128-bit
   * integers, at a fraction of the cost of std::to_chars, which formats every other value.
   */
  char *write_general_number(char *text, double value, int precision);

  /**
   * Writes the `count` values of `values` as write_general_number writes them, each followed
   * by `separator`, the last by `last_separator`, at `text`, which has room for `count` times
   * GENERAL_NUMBER_ROOM + 1 bytes; returns the end of the text. Faster than one at a time:
   * the values are worked on side by side.
   */
  char *write_general_numbers(char *text, const double *values, std::size_t count, int precision, char separator,
                              char last_separator);

  /** Appends `value` to `text` as write_general_number writes it. */
  void append_general_number(std::string &text, double value, int precision);

  /**
   * Appends numbers (as write_general_number writes them) and single characters to a
   * string, without a check of its size for each: room for all of them is made at once,
   * and what is left of it is given back when the writer goes.
   */
  class NumberTextWriter
  {
  public:
    /** Room for `numbers` numbers and `characters` characters at the end of `text`. */
    NumberTextWriter(std::string &text, std::size_t numbers, std::size_t characters);
    ~NumberTextWriter();

    NumberTextWriter(const NumberTextWriter &) = delete;
    NumberTextWriter &operator=(const NumberTextWriter &) = delete;

    void number(double value, int precision)
    {
      ORR_ASSERT(_numbers_left > 0, ExcInternalError());
      --_numbers_left;
      _end = write_general_number(_end, value, precision);
    }

    /** The values as write_general_numbers writes them: a number and a character each. */
    void numbers(const double *values, std::size_t count, int precision, char separator, char last_separator)
    {
      ORR_ASSERT(_numbers_left >= count && _characters_left >= count, ExcInternalError());
      _numbers_left -= count;
      _characters_left -= count;
      _end = write_general_numbers(_end, values, count, precision, separator, last_separator);
    }

    void character(char c)
    {
      ORR_ASSERT(_characters_left > 0, ExcInternalError());
      --_characters_left;
      *_end++ = c;
    }

  private:
    std::string &_text;
    char        *_end;
    /** How many numbers and characters the room still holds. */
    std::size_t  _numbers_left;
    std::size_t  _characters_left;
  };
} // namespace orr

#endif
