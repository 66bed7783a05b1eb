#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "block_number_reader.h"
#include "numbers_in_pieces.h"
#include "text_input.h"

namespace
{
  /** The numbers of a text and whether reading them ended at a fault. */
  struct Numbers
  {
    std::vector<double> values;
    bool                faulted = false;

    bool operator==(const Numbers &other) const { return values == other.values && faulted == other.faulted; }
  };

  std::ostream &operator<<(std::ostream &out, const Numbers &numbers)
  {
    for (const double value : numbers.values)
      out << value << ' ';
    return out << (numbers.faulted ? "(fault)" : "(end)");
  }

  /** The numbers read_word and parse_whole_number give, up to the first word that is none. */
  Numbers numbers_word_by_word(const std::string &text, std::size_t limit)
  {
    std::istringstream in(text);
    Numbers            numbers;
    std::string        word;
    double             value = 0.0;
    while (orr::read_word(in, word, limit))
      {
        if (!orr::parse_whole_number(word, value))
          {
            numbers.faulted = true;
            break;
          }
        numbers.values.push_back(value);
      }
    // A word too long to read also ends read_word.
    numbers.faulted = numbers.faulted || !in.eof();
    return numbers;
  }

  Numbers numbers_in_blocks(const std::string &text, std::size_t limit, std::size_t block)
  {
    std::istringstream     in(text);
    orr::BlockNumberReader reader(in, limit, orr::BlockNumberReader::TEXT_END, block);
    Numbers                numbers;
    double                 value = 0.0;
    while (reader.next(value))
      numbers.values.push_back(value);
    numbers.faulted = reader.faulted();
    return numbers;
  }

  /**
   * Random texts of numbers, blanks of every kind and now and then a word that is no
   * number or longer than a limit of 12.
   */
  std::string random_text(std::mt19937 &engine, const int length)
  {
    static const char *const words[] = {"1",   "-2.5", "3e5",  "+0.25", "7",     "1e5abc", "3*100", "nan",  "-inf",
                                        "0x1p3", "+-1", "1e400", "12.5e-3", "0.000000000001", "0.0000000000001"};
    static const char blanks[] = " \t\r\n\v\f";
    std::string       text;
    while (static_cast<int>(text.size()) < length)
      {
        // Mostly numbers, so that most texts hold many before their first fault.
        const std::size_t word = engine() % 40;
        text += word < sizeof words / sizeof *words ? words[word] : std::to_string(engine() % 100000);
        text.append(1 + engine() % 3, blanks[engine() % (sizeof blanks - 1)]);
      }
    if (!text.empty() && engine() % 2 == 0)
      text.pop_back();  // a last word without a line end
    return text;
  }

  class ScratchFile
  {
  public:
    ScratchFile()
      : _path((std::filesystem::temp_directory_path() / ("numbers_in_pieces_" + std::to_string(::getpid()) + ".txt")).string())
    {}
    ~ScratchFile() { std::remove(_path.c_str()); }

    const std::string &write(const std::string &text)
    {
      std::ofstream(_path, std::ios::binary) << text;
      return _path;
    }

  private:
    std::string _path;
  };
} // namespace

TEST(BlockNumberReader, GivesTheNumbersOfReadingWordByWordAcrossBlockEnds)
{
  std::mt19937 engine(5);
  for (int text_number = 0; text_number < 300; ++text_number)
    {
      const std::string text = random_text(engine, static_cast<int>(engine() % 300));
      for (const std::size_t block : {13u, 14u, 31u, 64u, 1000u})
        EXPECT_EQ(numbers_in_blocks(text, 12, block), numbers_word_by_word(text, 12))
          << "text " << text_number << ", block " << block << ": " << text;
    }
  EXPECT_EQ(numbers_in_blocks("1 2.5\r\n3e5 ", 12, 13), (Numbers{{1.0, 2.5, 3e5}, false}));
  EXPECT_EQ(numbers_in_blocks("1 " + std::string(13, '1'), 12, 13), (Numbers{{1.0}, true}));
}

TEST(NumbersInPieces, GiveTheNumbersAndOutcomeOfOneReader)
{
  // Pieces of a few bytes, so that piece ends fall inside words, blanks and long words; the
  // count is below, at and above the numbers before the first fault; numbers above 1000
  // are refused by the test.
  std::mt19937 engine(11);
  ScratchFile  file;
  const auto   below_1000 = [](const double value) { return value <= 1000.0; };
  for (int text_number = 0; text_number < 80; ++text_number)
    {
      const std::string  text     = random_text(engine, static_cast<int>(engine() % 200));
      const std::string &path     = file.write(engine() % 5 == 0 ? "\xEF\xBB\xBF" + text : text);
      const Numbers      expected = numbers_word_by_word(text, 12);
      for (const std::uint64_t count : {std::uint64_t(0), std::uint64_t(expected.values.size() / 2),
                                        std::uint64_t(expected.values.size()), std::uint64_t(expected.values.size() + 1)})
        for (const unsigned pieces : {1u, 2u, 5u})
          {
            std::vector<double>   values;
            const orr::NumbersRead read = orr::read_numbers_in_pieces(path, count, 12, below_1000, values,
                                                                      orr::NumberPieces{1, pieces, 13});
            const auto where = "text " + std::to_string(text_number) + ", count " + std::to_string(count) + ", pieces "
                               + std::to_string(pieces);
            ASSERT_EQ(read.complete, count <= expected.values.size()) << where;
            if (!read.complete)
              continue;
            const std::vector<double> first(expected.values.begin(), expected.values.begin() + static_cast<std::ptrdiff_t>(count));
            EXPECT_EQ(values, first) << where;
            const auto refused = std::find_if_not(first.begin(), first.end(), below_1000);
            EXPECT_EQ(read.first_refused, refused == first.end() ? std::nullopt
                                                                  : std::optional<std::uint64_t>(refused - first.begin()))
              << where;
          }
    }
  std::vector<double> values;
  EXPECT_FALSE(orr::read_numbers_in_pieces("/nonexistent/numbers", 1, 12, below_1000, values).complete);
}
