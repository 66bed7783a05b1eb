#include "grid_corner_point.h"

#include <csignal>
#include <memory>

#include <cstdint>

#include <gtest/gtest.h>

using orr::CellFace;
using orr::CornerPointGrid;
using orr::IjkIndex;
using namespace orr::Ijk;
namespace exc = orr::StandardExceptions;

namespace
{
  constexpr Direction all_directions[] = {K_MINUS, J_MINUS, I_PLUS, J_PLUS, I_MINUS, K_PLUS};

  std::unique_ptr<CornerPointGrid> make_grid(unsigned int ni, unsigned int nj, unsigned int nk)
  {
    auto grid = std::make_unique<CornerPointGrid>();
    grid->set_dimension(IjkIndex(ni, nj, nk));
    return grid;
  }

  /** The neighbour position worked out with signed arithmetic, independently of the grid. */
  unsigned int expected_neighbor(const IjkIndex &dim, const IjkIndex &at, Direction d)
  {
    long i = at.i(), j = at.j(), k = at.k();
    i += d == I_PLUS ? 1 : d == I_MINUS ? -1 : 0;
    j += d == J_PLUS ? 1 : d == J_MINUS ? -1 : 0;
    k += d == K_PLUS ? 1 : d == K_MINUS ? -1 : 0;
    if (i < 0 || j < 0 || k < 0 || i >= long(dim.i()) || j >= long(dim.j()) || k >= long(dim.k()))
      return INVALID_INDEX;
    return static_cast<unsigned int>((k * dim.j() + j) * dim.i() + i);
  }

  /** A unit cube with its low corner at (x, y, z). */
  std::shared_ptr<orr::CellGeometry> cube(double x, double y, double z)
  {
    auto geometry = std::make_shared<orr::CellGeometry>();
    for (unsigned int ck = 0; ck < 2; ++ck)
      for (unsigned int cj = 0; cj < 2; ++cj)
        for (unsigned int ci = 0; ci < 2; ++ci)
          geometry->set_corner(ci, cj, ck, {x + ci, y + cj, z + ck});
    return geometry;
  }
} // namespace

TEST(CornerPointGrid, StartsEmpty)
{
  const CornerPointGrid grid;
  EXPECT_EQ(grid.get_dim(), IjkIndex(INVALID_INDEX, INVALID_INDEX, INVALID_INDEX));
  EXPECT_EQ(grid.get_shape(), CornerPointGrid::SHAPE_UNDEFINED);
  EXPECT_EQ(grid.number_of_cells(), 0u);
  EXPECT_EQ(grid.number_of_active_cells(), 0u);
  ASSERT_TRUE(grid.cell_properties());
  EXPECT_TRUE(grid.cell_properties()->empty());
  EXPECT_NE(grid.cell_properties(), grid.corner_properties());
}

TEST(CornerPointGrid, CellAndCornerNumberingRoundTrips)
{
  const auto grid = make_grid(4, 3, 2);
  EXPECT_EQ(grid->number_of_cells(), 24u);
  EXPECT_EQ(grid->number_of_corners(), 5u * 4u * 3u);
  EXPECT_EQ(grid->get_icell(IjkIndex(1, 2, 1)), (3u * 1 + 2) * 4 + 1);
  for (unsigned int c = 0; c < grid->number_of_cells(); ++c)
    EXPECT_EQ(grid->get_icell(grid->get_ijk(c)), c);
  for (unsigned int n = 0; n < grid->number_of_corners(); ++n)
    EXPECT_EQ(grid->get_icorner(grid->get_corner_ijk(n)), n);
  EXPECT_EQ(grid->get_icorner(IjkIndex(4, 3, 2)), grid->number_of_corners() - 1);
  EXPECT_EQ(grid->get_corner_ijk(grid->number_of_corners() - 1), IjkIndex(4, 3, 2));
}

TEST(CornerPointGrid, IndexChecksReportTheirConditions)
{
  const auto grid = make_grid(4, 3, 2);
  EXPECT_EXIT(grid->get_icell(IjkIndex(4, 0, 0)), ::testing::KilledBySignal(SIGABRT),
              "    ijk.i\\(\\) < _dim.i\\(\\)\n.*\n    ExcIndexRange\\(ijk.i\\(\\), 0, _dim.i\\(\\)\\)\n"
              "Additional Information: \nIndex 4 is not in \\[0,4\\]\n");
  EXPECT_EXIT(grid->get_icell(IjkIndex(0, 3, 0)), ::testing::KilledBySignal(SIGABRT),
              "ijk.j\\(\\) < _dim.j\\(\\)");
  EXPECT_EXIT(grid->get_icell(IjkIndex(0, 0, 2)), ::testing::KilledBySignal(SIGABRT),
              "ijk.k\\(\\) < _dim.k\\(\\)");
  EXPECT_EXIT(grid->get_icorner(IjkIndex(0, 0, 3)), ::testing::KilledBySignal(SIGABRT),
              "ijk.k\\(\\) <= _dim.k\\(\\)");
  EXPECT_EXIT(grid->get_ijk(24), ::testing::KilledBySignal(SIGABRT),
              "    index < number_of_cells\\(\\)\n.*\n"
              "    ExcIndexRange\\(index, 0, number_of_cells\\(\\)-1\\)\n"
              "Additional Information: \nIndex 24 is not in \\[0,23\\]\n");
}

TEST(CornerPointGrid, ShapesAndSpaceDimensions)
{
  struct Row
  {
    unsigned int           ni, nj, nk;
    CornerPointGrid::Shape shape;
    unsigned int           space_dimension;
  };
  const Row rows[] = {{3, 4, 5, CornerPointGrid::SHAPE_3D, 3},
                      {1, 4, 5, CornerPointGrid::SHAPE_JK_PLANE, 2},
                      {10, 1, 5, CornerPointGrid::SHAPE_IK_PLANE, 2},
                      {3, 4, 1, CornerPointGrid::SHAPE_IJ_PLANE, 2},
                      {3, 1, 1, CornerPointGrid::SHAPE_I_LINE, 1},
                      {1, 4, 1, CornerPointGrid::SHAPE_J_LINE, 1},
                      {1, 1, 5, CornerPointGrid::SHAPE_K_LINE, 1}};
  for (const Row &row : rows)
  {
    const auto grid = make_grid(row.ni, row.nj, row.nk);
    EXPECT_EQ(grid->get_shape(), row.shape) << row.ni << "x" << row.nj << "x" << row.nk;
    EXPECT_EQ(grid->space_dimension(), row.space_dimension) << row.ni << "x" << row.nj << "x" << row.nk;
  }
}

TEST(CornerPointGrid, SingleCellAndEmptyGridsAreRefused)
{
  EXPECT_EXIT(make_grid(1, 1, 1), ::testing::KilledBySignal(SIGABRT),
              "    false\n.*\n    ExcInternalError\\(\\)\n");
  EXPECT_EXIT(make_grid(0, 4, 4), ::testing::KilledBySignal(SIGABRT), "ExcInternalError");
  CornerPointGrid grid;
  EXPECT_THROW(grid.set_dimension(IjkIndex(100000, 100000, 1)), exc::ExcMessage);
}

TEST(CornerPointGrid, NeighboursAtEveryBoundary)
{
  for (const IjkIndex dim : {IjkIndex(4, 3, 2), IjkIndex(1, 3, 2), IjkIndex(5, 1, 1)})
  {
    CornerPointGrid grid;
    grid.set_dimension(dim);
    const auto offsets = grid.get_neighbor_offsets();
    for (unsigned int c = 0; c < grid.number_of_cells(); ++c)
    {
      const auto all = grid.get_neighbor_cells(c);
      for (const Direction d : all_directions)
      {
        const unsigned int neighbor = expected_neighbor(dim, grid.get_ijk(c), d);
        EXPECT_EQ(grid.get_neighbor_cell(c, d), neighbor) << "cell " << c << " direction " << d;
        EXPECT_EQ(all[d], neighbor) << "cell " << c << " direction " << d;
        if (neighbor != INVALID_INDEX)
        {
          EXPECT_EQ(static_cast<std::int64_t>(c) + offsets[d], neighbor) << "cell " << c << " direction " << d;
        }
      }
    }
  }
  const auto grid = make_grid(4, 3, 2);
  EXPECT_EQ(grid->get_neighbor_cell(5, NO_DIRECTION), 5u);
  const unsigned int last_corner = grid->number_of_corners() - 1;
  EXPECT_EQ(grid->get_neighbor_corner(last_corner, I_PLUS), INVALID_INDEX);
  EXPECT_EQ(grid->get_neighbor_corner(last_corner, K_MINUS),
            grid->get_icorner(IjkIndex(4, 3, 1)));
  EXPECT_EQ(grid->get_neighbor_corner(0, J_MINUS), INVALID_INDEX);
}

TEST(CornerPointGrid, BoundaryFacesFollowTheShape)
{
  // An I-K plane has no boundary across J: the plane's flat sides are not faces of the model.
  const auto plane = make_grid(10, 1, 5);
  EXPECT_FALSE(plane->is_boundary_face(0, J_MINUS));
  EXPECT_FALSE(plane->is_boundary_face(0, J_PLUS));
  EXPECT_TRUE(plane->is_boundary_face(0, I_MINUS));
  EXPECT_TRUE(plane->is_boundary_face(0, K_MINUS));
  EXPECT_FALSE(plane->is_boundary_face(0, I_PLUS));

  const auto box = make_grid(2, 2, 2);
  EXPECT_TRUE(box->is_boundary_face(0, J_MINUS));
  EXPECT_TRUE(box->is_boundary_face(7, K_PLUS));
  EXPECT_FALSE(box->is_boundary_face(0, K_PLUS));
}

TEST(CornerPointGrid, DirectionBetweenNeighbours)
{
  const auto grid = make_grid(4, 3, 2);
  Direction d = NO_DIRECTION, back = NO_DIRECTION;
  grid->get_direction_between(5, 6, d, back);
  EXPECT_EQ(d, I_PLUS);
  EXPECT_EQ(back, I_MINUS);
  grid->get_direction_between(5, 5 + 12, d, back);
  EXPECT_EQ(d, K_PLUS);
  EXPECT_EQ(back, K_MINUS);
  // Cells 3 and 4 follow each other in number but sit at opposite ends of two rows.
  EXPECT_THROW(grid->get_direction_between(3, 4, d, back), exc::ExcInternalError);
  EXPECT_THROW(grid->get_direction_between(5, 5, d, back), exc::ExcInternalError);

  grid->get_direction_between_corners(0, 5, d, back);
  EXPECT_EQ(d, J_PLUS);
  EXPECT_EQ(back, J_MINUS);
  EXPECT_THROW(grid->get_direction_between_corners(0, 6, d, back), exc::ExcInternalError);
}

TEST(CornerPointGrid, CellOfCorner)
{
  const auto         grid   = make_grid(4, 3, 2);
  const unsigned int corner = grid->get_icorner(IjkIndex(2, 1, 1));
  EXPECT_EQ(grid->get_cell_of_corner(corner, I_PLUS, J_PLUS, K_PLUS),
            grid->get_icell(IjkIndex(2, 1, 1)));
  EXPECT_EQ(grid->get_cell_of_corner(corner, I_MINUS, J_MINUS, K_MINUS),
            grid->get_icell(IjkIndex(1, 0, 0)));
  EXPECT_EQ(grid->get_cell_of_corner(grid->get_icorner(IjkIndex(4, 0, 0)), I_PLUS, J_PLUS, K_PLUS),
            INVALID_INDEX);
  EXPECT_EQ(grid->get_cell_of_corner(0, I_MINUS, J_PLUS, K_PLUS), INVALID_INDEX);
}

TEST(CornerPointGrid, ActiveCellMap)
{
  const auto grid = make_grid(3, 1, 2);
  grid->activate_cell(4);
  grid->deactivate_cell(0);
  grid->activate_cell(1);
  grid->activate_cell(4);
  EXPECT_EQ(grid->number_of_active_cells(), 2u);
  EXPECT_EQ(grid->get_active_icell(4), 0u);
  EXPECT_EQ(grid->get_active_icell(1), 1u);
  EXPECT_FALSE(grid->is_active(0));
  EXPECT_THROW(grid->get_active_icell(0), exc::ExcInvalidState);
  EXPECT_THROW(grid->get_active_icell(2), exc::ExcInvalidState);
  EXPECT_THROW(grid->deactivate_cell(4), exc::ExcInvalidState);

  grid->set_dimension(IjkIndex(3, 2, 2));
  EXPECT_EQ(grid->number_of_active_cells(), 0u);
  for (unsigned int c = 0; c < grid->number_of_cells(); ++c)
    grid->activate_cell(c);
  for (unsigned int c = 0; c < grid->number_of_cells(); ++c)
    EXPECT_EQ(grid->get_active_icell(c), c);
}

TEST(CornerPointGrid, FlagsArePerCellAndCleared)
{
  const auto grid = make_grid(3, 2, 2);
  grid->set_dimension_flag(4, DIM_J);
  EXPECT_TRUE(grid->get_dimension_flag(4, DIM_J));
  EXPECT_FALSE(grid->get_dimension_flag(4, DIM_K));
  EXPECT_FALSE(grid->get_dimension_flag(5, DIM_J));
  EXPECT_EQ(grid->get_dimension_flags(4), (CornerPointGrid::DimensionFlags{0, 1, 0}));
  grid->set_dimension(IjkIndex(3, 2, 2));
  EXPECT_FALSE(grid->get_dimension_flag(4, DIM_J));
}

TEST(CornerPointGrid, CellsHaveNoGeometryUntilGivenOne)
{
  const auto grid = make_grid(2, 2, 1);
  EXPECT_EQ(grid->get_cell(3), nullptr);
  grid->set_cell(3, cube(0, 0, 0));
  EXPECT_NE(grid->get_cell(IjkIndex(1, 1, 0)), nullptr);
  EXPECT_EQ(grid->get_cell(2), nullptr);
  grid->set_dimension(IjkIndex(2, 2, 1));
  EXPECT_EQ(grid->get_cell(3), nullptr);
}

TEST(CornerPointGrid, ConnectionsFlagFacesAndLinkCells)
{
  // Cells 0 and 3 of a 2 x 2 x 1 grid are diagonal in the lattice, but their geometry puts
  // cell 3 right above cell 0 (as across a fault).
  const auto grid = make_grid(2, 2, 1);
  grid->set_cell(0, cube(0, 0, 0));
  grid->set_cell(3, cube(0, 0, 1));
  grid->add_connection(0, 3);
  std::vector<unsigned int> cells, others;
  grid->get_connection_list(cells, others);
  EXPECT_EQ(cells, std::vector<unsigned int>{0});
  EXPECT_EQ(others, std::vector<unsigned int>{3});

  grid->build_connections();
  EXPECT_FALSE(grid->is_regular_face(0, K_PLUS));
  EXPECT_FALSE(grid->is_regular_face(3, K_MINUS));
  EXPECT_TRUE(grid->is_regular_face(0, I_PLUS));
  EXPECT_EQ(grid->get_connection(CellFace{K_PLUS, 0}), 3u);
  EXPECT_EQ(grid->get_connection(CellFace{K_MINUS, 3}), 0u);
  EXPECT_THROW(grid->get_connection(CellFace{I_PLUS, 0}), exc::ExcInternalError);

  grid->clear_connections(CellFace{K_PLUS, 0});
  EXPECT_TRUE(grid->get_connections(CellFace{K_PLUS, 0}).empty());
  EXPECT_FALSE(grid->is_regular_face(0, K_PLUS));

  grid->mark_connection(CellFace{I_PLUS, 0}, CellFace{I_MINUS, 1});
  EXPECT_EQ(grid->get_connections(CellFace{I_MINUS, 1}), (std::set<CellFace>{CellFace{I_PLUS, 0}}));
  EXPECT_EQ(grid->get_face_flags(1), (CornerPointGrid::FaceFlags{0, 0, 0, 0, 1, 0}));

  grid->add_connection(1, 2);
  EXPECT_THROW(grid->build_connections(), exc::ExcNullPointer);
}

TEST(CornerPointGrid, ConnectionsFlagTheLatticeNeighboursBehindTheFaces)
{
  // A fault shifts the right column of a 2 x 1 x 3 section down by one layer: cell 0
  // (0,0,0) faces cell 3 (1,0,1), so the lattice faces 0-1 and 2-3 are no longer regular.
  const auto grid = make_grid(2, 1, 3);
  grid->set_cell(0, cube(0, 0, 0));
  grid->set_cell(3, cube(1, 0, 0));
  grid->add_connection(0, 3);
  grid->build_connections();
  EXPECT_EQ(grid->get_connection(CellFace{I_PLUS, 0}), 3u);
  EXPECT_FALSE(grid->is_regular_face(1, I_MINUS));
  EXPECT_FALSE(grid->is_regular_face(2, I_PLUS));
  EXPECT_TRUE(grid->is_regular_face(4, I_PLUS));
  EXPECT_TRUE(grid->is_regular_face(0, K_PLUS));

  const auto apart = make_grid(2, 1, 2);
  apart->set_cell(0, cube(0, 0, 0));
  apart->set_cell(3, cube(5, 0, 5));
  apart->add_connection(0, 3);
  EXPECT_THROW(apart->build_connections(), exc::ExcInternalError);
}
