#include "cache_line_allocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
  struct Pair
  {
    unsigned int node;
    double       value;
  };

  bool starts_on_a_line(const void *address)
  {
    return reinterpret_cast<std::uintptr_t>(address) % orr::CACHE_LINE_BYTES == 0;
  }
} // namespace

TEST(CacheLineAllocator, EveryBlockStartsOnALineAsTheTableGrowsAndKeepsItsValues)
{
  std::vector<Pair, orr::CacheLineAllocator<Pair>> table(1, Pair{7, 0.5});
  EXPECT_TRUE(starts_on_a_line(table.data()));
  for (unsigned int i = 0; i < 5000; ++i)
  {
    table.push_back(Pair{i, 1.0 * i});
    ASSERT_TRUE(starts_on_a_line(table.data())) << "after " << table.size() << " entries";
  }
  EXPECT_EQ(table.front().node, 7u);
  EXPECT_EQ(table.back().value, 4999.0);
}
