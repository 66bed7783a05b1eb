#include "large_table_allocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
  struct alignas(64) Line
  {
    double value;
    char   rest[56];
  };

  template <typename T>
  using Table = std::vector<T, orr::LargeTableAllocator<T>>;

  constexpr std::uintptr_t HUGE_PAGE = std::uintptr_t(2) << 20;
} // namespace

TEST(LargeTableAllocator, LargeTablesStartOnHugePagesAndKeepTheirValuesWhenTheyGrow)
{
  Table<Line> table(100000);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.data()) % HUGE_PAGE, 0u);
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i].value = static_cast<double>(i);
  // Growing copies into a new, larger table; shrinking below a huge page leaves ordinary memory.
  table.resize(300000);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.data()) % HUGE_PAGE, 0u);
  EXPECT_EQ(table[99999].value, 99999.0);
  table.resize(10);
  table.shrink_to_fit();
  EXPECT_EQ(table[9].value, 9.0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.data()) % alignof(Line), 0u);
}

TEST(LargeTableAllocator, SmallTablesAndTheThresholdBothWays)
{
  // Entries of one huge page exactly, one less, and none.
  for (const std::size_t n : {HUGE_PAGE / sizeof(double), HUGE_PAGE / sizeof(double) - 1, std::size_t(0)})
  {
    Table<double> table(n, 1.5);
    ASSERT_EQ(table.size(), n);
    if (n > 0)
    {
      EXPECT_EQ(table.back(), 1.5);
    }
  }
}
