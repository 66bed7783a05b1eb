#include <gtest/gtest.h>

#include <sstream>

#include "print_cost_label.h"

using orr::quill::print_cost_label;
using orr::quill::print_cost_seconds;

TEST(PrintCostLabel, LabelIsPaddedWithDotsToFortyColumns)
{
  std::ostringstream out;
  print_cost_label("Solving pressure costs ", out);
  EXPECT_EQ(out.str(), "Solving pressure costs .................");
  out << 7;  // the width applies to the label only
  EXPECT_EQ(out.str(), "Solving pressure costs .................7");
}

TEST(PrintCostLabel, SecondsInSingleDefaultFormat)
{
  const struct
  {
    long        milliseconds;
    const char *text;
  } cases[] = {
    {0, "0 seconds.\n"},
    {1500, "1.5 seconds.\n"},
    {1234567, "1234.57 seconds.\n"},
    {7, "0.007 seconds.\n"},
  };
  for (const auto &c : cases)
    {
      std::ostringstream out;
      print_cost_seconds(std::chrono::milliseconds(c.milliseconds), out);
      EXPECT_EQ(out.str(), c.text) << c.milliseconds << " ms";
    }
}
