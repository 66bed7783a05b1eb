#include "narrow_band.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{
  using Band = orr::quill::NarrowBand<unsigned int, double>;

  std::vector<unsigned int> drain(Band &band)
  {
    std::vector<unsigned int> order;
    while (!band.empty())
      order.push_back(band.pop().node);
    return order;
  }

  /** Every entry's node points back at the entry, and no child is smaller than its parent. */
  void expect_consistent(const Band &band, unsigned int number_of_nodes)
  {
    for (std::size_t p = 0; p < band.size(); ++p)
    {
      EXPECT_EQ(band.position(band.entry(p).node), static_cast<std::int32_t>(p));
      if (p > 0)
      {
        EXPECT_FALSE(band.entry(p).value < band.entry((p - 1) / 2).value);
      }
    }
    for (unsigned int n = 0; n < number_of_nodes; ++n)
      if (band.position(n) >= 0)
      {
        EXPECT_EQ(band.entry(static_cast<std::size_t>(band.position(n))).node, n);
      }
  }
} // namespace

TEST(NarrowBand, EqualValuesLeaveInHeapOrderNotInsertionOrder)
{
  // Three equal entries: popping 0 moves the last entry (2) to the root, and it stays
  // there because its equal child does not rise above it.
  Band band;
  band.reset(3);
  band.push(0, 5.0);
  band.push(1, 5.0);
  band.push(2, 5.0);
  EXPECT_EQ(drain(band), (std::vector<unsigned int>{0, 2, 1}));

  // A reset to more nodes leaves the accepted ones FAR again, like the new ones.
  band.reset(5);
  for (unsigned int node = 0; node < 5; ++node)
    EXPECT_EQ(band.position(node), Band::FAR) << node;

  // Between equal children the left one is taken; an equal newcomer never passes its parent.
  band.push(0, 1.0);
  band.push(1, 2.0);
  band.push(2, 2.0);
  band.push(3, 2.0);
  band.push(4, 1.0);
  EXPECT_EQ(drain(band), (std::vector<unsigned int>{0, 4, 3, 2, 1}));
}

TEST(NarrowBand, UpdateLowersTrialEntersFarAndRefusesAccepted)
{
  Band band;
  band.reset(4);
  EXPECT_TRUE(band.update(0, 3.0));   // FAR enters the band
  EXPECT_TRUE(band.update(1, 2.0));
  EXPECT_TRUE(band.update(2, 1.0));
  EXPECT_TRUE(band.update(0, 0.5));   // lowered: rises to the root
  EXPECT_TRUE(band.update(1, 7.0));   // larger value: band keeps 2.0
  EXPECT_EQ(band.position(3), Band::FAR);

  Band::Entry first = band.pop();
  EXPECT_EQ(first.node, 0u);
  EXPECT_EQ(first.value, 0.5);
  EXPECT_TRUE(band.is_accepted(0));
  EXPECT_FALSE(band.update(0, 0.1));  // accepted nodes are final

  EXPECT_EQ(band.pop().node, 2u);
  Band::Entry last = band.pop();
  EXPECT_EQ(last.node, 1u);
  EXPECT_EQ(last.value, 2.0);
  EXPECT_TRUE(band.empty());
  EXPECT_TRUE(band.is_accepted(1));
}

TEST(NarrowBand, PositionsFollowEveryMoveUnderRandomOperations)
{
  constexpr unsigned int nodes = 200;
  std::mt19937           random(7);
  std::uniform_int_distribution<unsigned int> pick(0, nodes - 1);
  // Few distinct values, so that ties are frequent.
  std::uniform_int_distribution<int> value(0, 20);

  Band band;
  band.reset(nodes);
  double last_popped = -1.0;
  for (int step = 0; step < 5000; ++step)
  {
    if (step % 3 == 2 && !band.empty())
    {
      const Band::Entry e = band.pop();
      // Values offered after a pop may be smaller than earlier pops; only check the
      // band's own minimum.
      for (std::size_t p = 0; p < band.size(); ++p)
        EXPECT_LE(e.value, band.entry(p).value);
      last_popped = e.value;
    }
    else
    {
      band.update(pick(random), static_cast<double>(value(random)));
    }
    expect_consistent(band, nodes);
  }
  EXPECT_GE(last_popped, 0.0);
}
