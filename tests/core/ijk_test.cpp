#include "ijk.h"

#include <csignal>

#include <gtest/gtest.h>

using namespace orr::Ijk;

TEST(Ijk, DirectionTable)
{
  struct Row
  {
    Direction direction;
    Dimension dimension;
    Direction opposite;
  };
  const Row rows[] = {{K_MINUS, DIM_K, K_PLUS}, {J_MINUS, DIM_J, J_PLUS}, {I_PLUS, DIM_I, I_MINUS},
                      {J_PLUS, DIM_J, J_MINUS}, {I_MINUS, DIM_I, I_PLUS}, {K_PLUS, DIM_K, K_MINUS}};
  for (const Row &row : rows)
  {
    EXPECT_EQ(get_dimension(row.direction), row.dimension) << row.direction;
    EXPECT_EQ(opposite_direction(row.direction), row.opposite) << row.direction;
    EXPECT_EQ(opposite_direction(row.opposite), row.direction);
  }
  EXPECT_EQ(opposite_direction(NO_DIRECTION), NO_DIRECTION);
}

TEST(Ijk, DirectionsOutsideTheTableAreInternalErrors)
{
  EXPECT_EXIT(get_dimension(NO_DIRECTION), ::testing::KilledBySignal(SIGABRT),
              "The violated condition was: \n    false\n"
              "The name and call sequence of the exception was:\n    ExcInternalError\\(\\)\n");
  EXPECT_EXIT(get_dimension(static_cast<Direction>(6)), ::testing::KilledBySignal(SIGABRT),
              "ExcInternalError");
  EXPECT_EXIT(opposite_direction(static_cast<Direction>(7)), ::testing::KilledBySignal(SIGABRT),
              "ExcInternalError");
}
