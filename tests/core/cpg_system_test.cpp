#include "cpg_system.h"

#include <csignal>
#include <memory>

#include <gtest/gtest.h>

using orr::CornerPointGrid;
using orr::CpgSystem;
using orr::IjkIndex;
using namespace orr::Ijk;

namespace
{
  std::shared_ptr<CornerPointGrid> make_grid(unsigned int ni, unsigned int nj, unsigned int nk)
  {
    auto grid = std::make_shared<CornerPointGrid>();
    grid->set_dimension(IjkIndex(ni, nj, nk));
    return grid;
  }
} // namespace

TEST(CpgSystem, RunSetUp)
{
  CpgSystem  system;
  const auto grid = std::make_shared<CornerPointGrid>();
  system.set_length_unit("FEET");
  system.set_unit_type(CpgSystem::UNIT_TYPE_FIELD);
  system.add_unit("GLOBAL  ", grid);
  EXPECT_EQ(system.get_length_unit(), "FEET");
  EXPECT_EQ(system.get_unit_type(), 2);
  EXPECT_EQ(system.number_of_units(), 1u);
  EXPECT_EQ(system.get_unit_grid("GLOBAL  "), grid);
  EXPECT_EQ(system.get_unit_grid(0), grid);
  EXPECT_EQ(system.get_unit("GLOBAL  ")->get_parent(), -1);
  EXPECT_FALSE(system.get_unit_grid("GLOBAL"));
  EXPECT_FALSE(system.get_unit("LGR1    "));
}

TEST(CpgSystem, GlobalAndLocalCellNumbers)
{
  CpgSystem system;
  system.add_unit("GLOBAL  ", make_grid(10, 5, 2));
  system.add_unit("LGR1    ", make_grid(5, 5, 2));
  EXPECT_EQ(system.get_global_icell(1, 20), 120u);
  EXPECT_EQ(system.get_global_icell(0, 99), 99u);
  for (const unsigned int global : {0u, 99u, 100u, 120u, 149u})
  {
    unsigned int unit = 9, cell = 9;
    system.get_local_icell(global, unit, cell);
    EXPECT_EQ(system.get_global_icell(unit, cell), global);
    EXPECT_EQ(unit, global < 100 ? 0u : 1u);
  }
  unsigned int unit = 0, cell = 0;
  EXPECT_EXIT(system.get_local_icell(150, unit, cell), ::testing::KilledBySignal(SIGABRT),
              "Index 150 is not in \\[0,149\\]");
}

TEST(CpgSystem, NestedUnitsMapToTheTopUnit)
{
  // Unit 1 refines cell 2 of the 4 x 1 x 2 parent into 2 x 1 x 1 cells; unit 2 refines
  // unit 1's cell 1 in turn.
  CpgSystem system;
  system.add_unit("GLOBAL  ", make_grid(4, 1, 2));
  system.add_unit("LGR1    ", make_grid(2, 1, 2));
  system.add_unit("LGR2    ", make_grid(1, 1, 2));
  system.set_parent_unit(1, 0, {2, 2, 2, 2}, {2});
  system.set_parent_unit(2, 1, {1, 1}, {1});
  EXPECT_TRUE(system.get_unit(0)->has_children());
  EXPECT_EQ(system.get_unit(1)->number_of_children(), 1u);
  EXPECT_EQ(system.get_top_icell(2, 0), 2u);
  EXPECT_EQ(system.get_top_icell(0, 5), 5u);

  // Unit 1's cell 0 lies on the grid's low-K side, but the parent cell 2 has no layer below.
  EXPECT_TRUE(system.is_system_boundary_face(K_MINUS, 0, 1));
  // The low-I side of unit 1 is inside the parent: cell 1 lies to the left of cell 2.
  EXPECT_FALSE(system.is_system_boundary_face(I_MINUS, 0, 1));
  EXPECT_FALSE(system.is_system_boundary_face(I_PLUS, 0, 1));
  EXPECT_TRUE(system.is_system_boundary_face(I_MINUS, 0, 0));
}

TEST(CpgSystem, UnitConnectionsAndPairProperties)
{
  CpgSystem                 system;
  std::vector<unsigned int> a{7}, b{8};
  EXPECT_FALSE(system.get_unit_connection(0, 1, a, b));
  EXPECT_EQ(a, std::vector<unsigned int>{7});
  EXPECT_EQ(b, std::vector<unsigned int>{8});

  system.add_unit_connection(0, 1, {1, 2}, {3, 4});
  EXPECT_TRUE(system.get_unit_connection(0, 1, a, b));
  EXPECT_EQ(a, (std::vector<unsigned int>{1, 2}));
  EXPECT_EQ(b, (std::vector<unsigned int>{3, 4}));
  EXPECT_FALSE(system.get_unit_connection(1, 0, a, b));

  const auto pair = system.unit_pair_properties(0, 1);
  ASSERT_TRUE(pair);
  EXPECT_EQ(system.unit_pair_properties(0, 1), pair);
  EXPECT_NE(system.unit_pair_connection_properties(0, 1), pair);
  EXPECT_NE(system.unit_pair_properties(1, 0), pair);
}
