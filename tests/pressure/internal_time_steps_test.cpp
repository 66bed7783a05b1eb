#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "internal_time_steps.h"

using orr::quill::next_internal_time;

namespace
{
  // The internal steps from `from` to `report` after a control change at `control_start`.
  std::vector<double> steps_between(double control_start, double from, double report)
  {
    std::vector<double> steps;
    for (double time = from; time < report;)
    {
      const double next = next_internal_time(time, control_start, report);
      steps.push_back(next - time);
      EXPECT_LE(next, report);
      EXPECT_LE(next - time, std::max(0.001, 0.1 * (time - control_start)) * (1 + 1e-12)) << time;
      time = next;
    }
    return steps;
  }
} // namespace

TEST(InternalTimeSteps, StartSmallGrowByATenthAndMeetTheReportTimeExactly)
{
  // Ten steps of 0.001 day to the first report at 0.01 day.
  const std::vector<double> first = steps_between(0.0, 0.0, 0.01);
  ASSERT_EQ(first.size(), 10u);
  EXPECT_DOUBLE_EQ(first.front(), 0.001);

  // From 0.01 to 1000 days: steps grow by about a tenth each, some 120 of them.
  const std::vector<double> late = steps_between(0.0, 0.01, 1000.0);
  EXPECT_GT(late.size(), 110u);
  EXPECT_LT(late.size(), 130u);

  // A report interval shorter than the step is one step; a remainder of one and a half
  // steps is split into two equal halves.
  EXPECT_EQ(next_internal_time(100.0, 0.0, 105.0), 105.0);
  EXPECT_DOUBLE_EQ(next_internal_time(100.0, 0.0, 115.0), 107.5);

  // A change of control at day 365 starts again from 0.001 day.
  EXPECT_DOUBLE_EQ(next_internal_time(365.0, 365.0, 365.1), 365.001);
}
