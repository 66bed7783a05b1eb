#ifndef ORR_TEXT_INPUT_H
#define ORR_TEXT_INPUT_H

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

#include "short_decimal.h"

namespace orr
{
  /**
   * Reads one line of any length into `line`; a carriage return before the line end is
   * dropped (files written on Windows). Returns false when no line could be read.
   */
  inline bool read_text_line(std::istream &in, std::string &line)
  {
    if (!std::getline(in, line))
      return false;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    return true;
  }

  /**
   * Reads one line as read_text_line does, but keeps at most `limit` characters of it: the
   * rest of a longer line is read past without being kept, so that memory stays bounded
   * whatever the text. `cut` tells whether characters were dropped. Returns false when no
   * line could be read.
   */
  inline bool read_text_line(std::istream &in, std::string &line, const std::size_t limit, bool &cut)
  {
    using traits = std::streambuf::traits_type;
    line.clear();
    cut = false;
    std::streambuf *const text = in ? in.rdbuf() : nullptr;
    traits::int_type      c    = traits::eof();
    bool                  read = false;
    while (text != nullptr && !traits::eq_int_type(c = text->sbumpc(), traits::eof()))
      {
        read = true;
        if (c == '\n')
          break;
        if (line.size() < limit)
          line.push_back(static_cast<char>(c));
        else
          cut = true;
      }
    if (!read)
      {
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return false;
      }
    if (c != '\n')
      in.setstate(std::ios::eofbit);
    if (!cut && !line.empty() && line.back() == '\r')
      line.pop_back();
    return true;
  }

  /**
   * Reads the next word: the characters up to a blank or a line end, after skipping any
   * blanks and line ends before it. Returns false at the end of the text, and for a word
   * longer than `limit`, which is read no further.
   */
  inline bool read_word(std::istream &in, std::string &word, const std::size_t limit)
  {
    using traits = std::streambuf::traits_type;
    word.clear();
    std::streambuf *const text = in ? in.rdbuf() : nullptr;
    if (text == nullptr)
      {
        in.setstate(std::ios::failbit);
        return false;
      }
    traits::int_type c = text->sgetc();
    while (!traits::eq_int_type(c, traits::eof()) && std::isspace(c))
      c = text->snextc();
    while (!traits::eq_int_type(c, traits::eof()) && !std::isspace(c))
      {
        if (word.size() == limit)
          return false;
        word.push_back(static_cast<char>(c));
        c = text->snextc();
      }
    if (traits::eq_int_type(c, traits::eof()))
      in.setstate(std::ios::eofbit);
    return !word.empty();
  }

  /**
   * Reads a decimal number (a finite double, or an int within its range), with an optional
   * sign, from the start of [first, last). Returns the end of the number, which may be
   * followed by anything; nullptr when the text does not start with one: "nan", "inf",
   * "+-1" and values beyond the type's range are refused, leaving `value` unspecified.
   */
  template <typename Number>
  const char *parse_number_prefix(const char *const first, const char *const last, Number &value)
  {
    const char *digits = first;
    if (digits != last && *digits == '+')
      ++digits;
    if (digits == last || (*digits == '-' && digits != first))
      return nullptr;
    if constexpr (std::is_same_v<Number, double>)
      if (const char *const end = parse_short_decimal(digits, last, value))
        return end;
    const std::from_chars_result result = std::from_chars(digits, last, value);
    if (result.ec != std::errc())
      return nullptr;
    if constexpr (std::is_floating_point_v<Number>)
      if (!std::isfinite(value))
        return nullptr;
    return result.ptr;
  }

  /**
   * Reads the whole of `token` as one number, as parse_number_prefix does. A number
   * followed by anything ("1e5abc", "0,25", "0x1p3", "52.5" for an int) is refused as well:
   * returns false, leaving `value` unspecified.
   */
  template <typename Number>
  bool parse_whole_number(std::string_view token, Number &value)
  {
    const char *const last = token.data() + token.size();
    const char *const end  = parse_number_prefix(token.data(), last, value);
    return end != nullptr && end == last;
  }

  /**
   * Skips the UTF-8 byte order mark that some Windows editors put at the start of a text
   * file, so that a keyword on the first line still matches. Call it right after opening
   * a file; a file without the mark is left where it was, a stream that failed as it was.
   */
  inline void skip_byte_order_mark(std::istream &in)
  {
    if (!in)
      return;
    static constexpr char MARK[] = {'\xEF', '\xBB', '\xBF'};
    const std::istream::pos_type start = in.tellg();
    char                         head[sizeof(MARK)] = {};
    if (in.read(head, sizeof(MARK)) && std::equal(head, head + sizeof(MARK), MARK))
      return;
    in.clear();
    in.seekg(start);
  }

  /**
   * Opens `path` for reading as text, with its byte order mark skipped. Only a regular
   * file is opened: a pipe or a device could keep the reader waiting for ever, and a
   * directory holds no text. Anything else leaves `in` failed, as a failed open would.
   * Returns whether `in` is open.
   */
  inline bool open_text_file(std::ifstream &in, const std::string &path,
                             const std::ios::openmode mode = std::ios::in)
  {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
    {
      in.setstate(std::ios::failbit);
      return false;
    }
    in.open(path, mode);
    skip_byte_order_mark(in);
    return in.is_open();
  }
} // namespace orr

#endif
