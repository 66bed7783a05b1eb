#include <cstdio>
#include <fcntl.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "file_descriptor_buffer.h"
#include "formatted_blocks.h"
#include "general_number.h"

namespace
{
  /** The text of items [begin, end): each item i as the number i / 7 with 18 digits, one a line. */
  void format_items(std::size_t begin, std::size_t end, std::string &text)
  {
    for (std::size_t i = begin; i < end; ++i)
    {
      orr::append_general_number(text, static_cast<double>(i) / 7.0, 18);
      text += '\n';
    }
  }
} // namespace

TEST(FormattedBlocks, TextIsThatOfOneThreadInItemOrder)
{
  // Around the block size and across several rounds of blocks.
  constexpr std::size_t BLOCK = orr::FORMATTED_BLOCK_ITEMS;
  for (const std::size_t count : {std::size_t(0), std::size_t(1), BLOCK - 1, BLOCK, BLOCK + 1, 6 * BLOCK + 1})
  {
    std::string expected;
    format_items(0, count, expected);
    std::ostringstream out;
    orr::write_formatted_blocks(out, count, format_items);
    EXPECT_TRUE(out.str() == expected) << count << " items";
  }
}

TEST(FormattedBlocks, AFailingBlockStopsEveryThreadAndIsThrown)
{
  // The first block fails while the later ones wait for their turn to be written.
  for (const std::size_t failing : {0u, 5u})
  {
    std::ostringstream out;
    const auto format = [failing](std::size_t begin, std::size_t end, std::string &text) {
      if (begin / orr::FORMATTED_BLOCK_ITEMS == failing)
        throw std::runtime_error("no room");
      format_items(begin, end, text);
    };
    EXPECT_THROW(orr::write_formatted_blocks(out, 10 * orr::FORMATTED_BLOCK_ITEMS, format), std::runtime_error);
    EXPECT_LE(out.str().size(), failing * orr::FORMATTED_BLOCK_ITEMS * 20) << "blocks after the failing one were written";
  }
}

TEST(FileDescriptorBuffer, PiecesLargerThanTheBufferKeepTheirPlaceInTheText)
{
  char path[] = "/tmp/file_descriptor_buffer_test.XXXXXX";
  const int descriptor = mkstemp(path);
  ASSERT_GE(descriptor, 0);
  std::string expected;
  {
    orr::FileDescriptorBuffer buffer(descriptor, 16);
    std::ostream              out(&buffer);
    for (const std::string &piece : {std::string("small "), std::string(40, 'a'), std::string("tail"),
                                     std::string(16, 'b'), std::string(15, 'c'), std::string(3, 'd')})
    {
      out << piece;
      expected += piece;
    }
    out.flush();
    EXPECT_EQ(buffer.error(), 0);
  }
  std::string written(expected.size() + 1, '\0');
  EXPECT_EQ(pread(descriptor, &written[0], written.size(), 0), static_cast<ssize_t>(expected.size()));
  written.resize(expected.size());
  EXPECT_EQ(written, expected);
  close(descriptor);
  unlink(path);
}
