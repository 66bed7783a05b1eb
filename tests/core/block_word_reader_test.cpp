#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "block_word_reader.h"
#include "text_input.h"

namespace
{
  /** The words read_word gives, up to its first false. */
  std::vector<std::string> words_one_by_one(const std::string &text, std::size_t limit)
  {
    std::istringstream       in(text);
    std::vector<std::string> words;
    std::string              word;
    while (orr::read_word(in, word, limit))
      words.push_back(word);
    return words;
  }

  std::vector<std::string> words_in_blocks(const std::string &text, std::size_t limit, std::size_t block)
  {
    std::istringstream       in(text);
    orr::BlockWordReader     reader(in, limit, block);
    std::vector<std::string> words;
    std::string_view         word;
    while (reader.next(word))
      words.push_back(std::string(word));
    return words;
  }
} // namespace

TEST(BlockWordReader, GivesTheWordsOfReadWordAcrossBlockEnds)
{
  // Random words and blanks of every kind, some words longer than the limit of 12, read
  // with blocks from a little over the limit to larger than the text.
  std::mt19937 engine(5);
  const char   characters[] = "0123456789.e-+ \t\r\n\v\fx";
  for (int text_number = 0; text_number < 200; ++text_number)
  {
    std::string text;
    const int   length = static_cast<int>(engine() % 400);
    for (int c = 0; c < length; ++c)
      text += characters[engine() % (sizeof characters - 1)];
    for (const std::size_t block : {13u, 14u, 31u, 64u, 1000u})
      EXPECT_EQ(words_in_blocks(text, 12, block), words_one_by_one(text, 12)) << "text " << text_number << ", block " << block;
  }
  EXPECT_EQ(words_in_blocks("1 2.5\r\n3e5 ", 12, 13), (std::vector<std::string>{"1", "2.5", "3e5"}));
}
