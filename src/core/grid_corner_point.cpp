#include "grid_corner_point.h"

#include <algorithm>

namespace orr
{
  namespace
  {
    /** Faces whose corners lie within this distance (in grid length units) coincide. */
    constexpr double FACE_MATCH_TOLERANCE = 1.0e-6;

    CornerPointGrid::Shape shape_of(const IjkIndex &dim)
    {
      const unsigned int ni = dim.i(), nj = dim.j(), nk = dim.k();
      if (ni > 1 && nj >= 2 && nk >= 2)
        return CornerPointGrid::SHAPE_3D;
      if (ni == 1 && nj >= 2 && nk >= 2)
        return CornerPointGrid::SHAPE_JK_PLANE;
      if (ni > 1 && nj == 1 && nk >= 2)
        return CornerPointGrid::SHAPE_IK_PLANE;
      if (ni > 1 && nj >= 2 && nk == 1)
        return CornerPointGrid::SHAPE_IJ_PLANE;
      if (ni > 1 && nj == 1 && nk == 1)
        return CornerPointGrid::SHAPE_I_LINE;
      if (ni == 1 && nj > 1 && nk == 1)
        return CornerPointGrid::SHAPE_J_LINE;
      if (ni == 1 && nj == 1 && nk >= 2)
        return CornerPointGrid::SHAPE_K_LINE;
      return CornerPointGrid::SHAPE_UNDEFINED;
    }

    bool valid_direction(Ijk::Direction direction)
    {
      return direction >= Ijk::K_MINUS && direction <= Ijk::K_PLUS;
    }
  } // namespace

  CornerPointGrid::CornerPointGrid()
    : _dim(Ijk::INVALID_INDEX, Ijk::INVALID_INDEX, Ijk::INVALID_INDEX)
    , _shape(SHAPE_UNDEFINED)
    , _number_of_cells(0)
    , _number_of_corners(0)
    , _number_of_active_cells(0)
    , _corner_properties(std::make_shared<Properties>())
    , _corner_dynamic_properties(std::make_shared<DynamicProperties>())
    , _cell_properties(std::make_shared<Properties>())
    , _cell_dynamic_properties(std::make_shared<DynamicProperties>())
  {}

  CornerPointGrid::~CornerPointGrid() = default;

  void CornerPointGrid::set_dimension(const IjkIndex &dim)
  {
    // Corner numbers must stay below the "no corner" value; the cell count is smaller still.
    const std::uint64_t corners = (std::uint64_t(dim.i()) + 1) * (std::uint64_t(dim.j()) + 1) *
                                  (std::uint64_t(dim.k()) + 1);
    ORR_ASSERT_THROW(corners < Ijk::INVALID_INDEX,
                     ExcMessage("The grid dimensions exceed the 32-bit cell numbering."));

    _dim               = dim;
    _shape             = shape_of(dim);
    _number_of_cells   = dim.i() * dim.j() * dim.k();
    _number_of_corners = static_cast<unsigned int>(corners);

    // The geometry table (16 bytes a cell) is made at the first set_cell: a grid of
    // regular boxes never has one.
    std::vector<std::shared_ptr<CellGeometry>>().swap(_cells);
    _active_index.assign(_number_of_cells, Ijk::INVALID_INDEX);
    _number_of_active_cells = 0;
    _dimension_flags.assign(std::size_t(_number_of_cells) * Ijk::NUMBER_OF_DIMENSIONS, 0);
    _face_flags.assign(std::size_t(_number_of_cells) * Ijk::NUMBER_OF_DIRECTIONS, 0);
    _connections.clear();
    _connection_cells.clear();
    _connection_others.clear();

    // A single cell or an empty grid has no shape the solvers can march on.
    if (_shape == SHAPE_UNDEFINED)
      ORR_ASSERT(false, ExcInternalError());
  }

  std::shared_ptr<CellGeometry> CornerPointGrid::get_cell(const IjkIndex &ijk) const
  {
    return get_cell(get_icell(ijk));
  }

  std::shared_ptr<CellGeometry> CornerPointGrid::get_cell(unsigned int cell) const
  {
    _check_cell(cell);
    return _cells.empty() ? nullptr : _cells[cell];
  }

  void CornerPointGrid::set_cell(unsigned int cell, const std::shared_ptr<CellGeometry> &geometry)
  {
    _check_cell(cell);
    if (_cells.empty())
      _cells.assign(_number_of_cells, nullptr);
    _cells[cell] = geometry;
  }

  unsigned int CornerPointGrid::space_dimension() const
  {
    switch (_shape)
    {
      case SHAPE_3D:
        return 3;
      case SHAPE_JK_PLANE:
      case SHAPE_IK_PLANE:
      case SHAPE_IJ_PLANE:
        return 2;
      default:
        return 1;
    }
  }

  void CornerPointGrid::activate_cell(unsigned int cell)
  {
    if (is_active(cell))
      return;
    _active_index[cell] = _number_of_active_cells++;
  }

  void CornerPointGrid::deactivate_cell(unsigned int cell)
  {
    // Taking a number back would leave a gap in the active numbering that the solvers'
    // per-active-cell arrays rely on.
    ORR_ASSERT_THROW(!is_active(cell), ExcInvalidState());
  }

  CornerPointGrid::DimensionFlags CornerPointGrid::get_dimension_flags(unsigned int cell) const
  {
    _check_cell(cell);
    DimensionFlags flags;
    std::copy_n(_dimension_flags.begin() + std::size_t(cell) * Ijk::NUMBER_OF_DIMENSIONS,
                Ijk::NUMBER_OF_DIMENSIONS, flags.begin());
    return flags;
  }

  bool CornerPointGrid::get_dimension_flag(unsigned int cell, Ijk::Dimension dimension) const
  {
    ORR_ASSERT(dimension >= Ijk::DIM_I && dimension <= Ijk::DIM_K, ExcIndexRange(dimension, 0, 2));
    return get_dimension_flags(cell)[dimension] != 0;
  }

  void CornerPointGrid::set_dimension_flag(unsigned int cell, Ijk::Dimension dimension)
  {
    _check_cell(cell);
    ORR_ASSERT(dimension >= Ijk::DIM_I && dimension <= Ijk::DIM_K, ExcIndexRange(dimension, 0, 2));
    _dimension_flags[std::size_t(cell) * Ijk::NUMBER_OF_DIMENSIONS + dimension] = 1;
  }

  CornerPointGrid::FaceFlags CornerPointGrid::get_face_flags(unsigned int cell) const
  {
    _check_cell(cell);
    FaceFlags flags;
    std::copy_n(_face_flags.begin() + std::size_t(cell) * Ijk::NUMBER_OF_DIRECTIONS,
                Ijk::NUMBER_OF_DIRECTIONS, flags.begin());
    return flags;
  }

  bool CornerPointGrid::is_regular_face(unsigned int cell, Ijk::Direction direction) const
  {
    ORR_ASSERT(valid_direction(direction), ExcIndexRange(direction, 0, 5));
    return get_face_flags(cell)[direction] == 0;
  }

  bool CornerPointGrid::is_boundary_face(unsigned int cell, Ijk::Direction direction) const
  {
    const IjkIndex to      = _step(get_ijk(cell), direction);
    const bool     i_out   = to.i() >= _dim.i();
    const bool     j_out   = to.j() >= _dim.j();
    const bool     k_out   = to.k() >= _dim.k();
    switch (_shape)
    {
      case SHAPE_JK_PLANE: return j_out || k_out;
      case SHAPE_IK_PLANE: return i_out || k_out;
      case SHAPE_IJ_PLANE: return i_out || j_out;
      case SHAPE_I_LINE:   return i_out;
      case SHAPE_J_LINE:   return j_out;
      case SHAPE_K_LINE:   return k_out;
      default:             return i_out || j_out || k_out;
    }
  }

  void CornerPointGrid::get_direction_between_corners(unsigned int corner, unsigned int other,
                                                      Ijk::Direction &direction,
                                                      Ijk::Direction &back) const
  {
    for (const Ijk::Direction d : _search_order)
      if (get_neighbor_corner(corner, d) == other)
      {
        direction = d;
        back      = Ijk::opposite_direction(d);
        return;
      }
    throw StandardExceptions::ExcInternalError();
  }

  unsigned int CornerPointGrid::get_cell_of_corner(unsigned int corner, Ijk::Direction d1,
                                                   Ijk::Direction d2, Ijk::Direction d3) const
  {
    ORR_ASSERT(corner < number_of_corners(), ExcIndexRange(corner, 0, number_of_corners()-1));
    for (const Ijk::Direction d : {d1, d2, d3})
    {
      if (d != Ijk::K_MINUS && d != Ijk::J_MINUS && d != Ijk::I_MINUS)
        continue;
      corner = get_neighbor_corner(corner, d);
      if (corner == Ijk::INVALID_INDEX)
        return Ijk::INVALID_INDEX;
    }
    const IjkIndex ijk = get_corner_ijk(corner);
    if (ijk.i() < _dim.i() && ijk.j() < _dim.j() && ijk.k() < _dim.k())
      return get_icell(ijk);
    return Ijk::INVALID_INDEX;
  }

  void CornerPointGrid::match_connection_faces(unsigned int cell, unsigned int other,
                                               Ijk::Direction &direction,
                                               Ijk::Direction &back) const
  {
    const std::shared_ptr<CellGeometry> mine   = get_cell(cell);
    const std::shared_ptr<CellGeometry> theirs = get_cell(other);
    ORR_ASSERT_THROW(mine && theirs, ExcNullPointer());
    for (int d = Ijk::K_MINUS; d <= Ijk::K_PLUS; ++d)
      for (int od = Ijk::K_MINUS; od <= Ijk::K_PLUS; ++od)
        if (mine->face_matches(Ijk::Direction(d), *theirs, Ijk::Direction(od),
                               FACE_MATCH_TOLERANCE))
        {
          direction = Ijk::Direction(d);
          back      = Ijk::Direction(od);
          return;
        }
    throw StandardExceptions::ExcInternalError();
  }

  void CornerPointGrid::build_connections()
  {
    for (std::size_t n = 0; n < _connection_cells.size(); ++n)
    {
      const unsigned int cell  = _connection_cells[n];
      const unsigned int other = _connection_others[n];
      Ijk::Direction     direction, back;
      match_connection_faces(cell, other, direction, back);
      _flag_face_and_neighbor(cell, direction);
      _flag_face_and_neighbor(other, back);
      _connections[CellFace{direction, cell}].insert(CellFace{back, other});
      _connections[CellFace{back, other}].insert(CellFace{direction, cell});
    }
  }

  unsigned int CornerPointGrid::get_connection(const CellFace &face) const
  {
    const auto found = _connections.find(face);
    ORR_ASSERT_THROW(found != _connections.end() && found->second.size() == 1,
                     ExcInternalError());
    return found->second.begin()->cell;
  }

  std::set<CellFace> CornerPointGrid::get_connections(const CellFace &face) const
  {
    const auto found = _connections.find(face);
    return found == _connections.end() ? std::set<CellFace>() : found->second;
  }

  void CornerPointGrid::mark_connection(const CellFace &face, const CellFace &other)
  {
    _check_cell(face.cell);
    _check_cell(other.cell);
    ORR_ASSERT(valid_direction(face.direction) && valid_direction(other.direction),
               ExcInternalError());
    _face_flags[std::size_t(face.cell) * Ijk::NUMBER_OF_DIRECTIONS + face.direction]   = 1;
    _face_flags[std::size_t(other.cell) * Ijk::NUMBER_OF_DIRECTIONS + other.direction] = 1;
    _connections[face].insert(other);
    _connections[other].insert(face);
  }

  void CornerPointGrid::clear_connections(const CellFace &face)
  {
    _check_cell(face.cell);
    ORR_ASSERT(valid_direction(face.direction), ExcInternalError());
    _face_flags[std::size_t(face.cell) * Ijk::NUMBER_OF_DIRECTIONS + face.direction] = 1;
    _connections[face].clear();
  }

  void CornerPointGrid::add_connection(unsigned int cell, unsigned int other)
  {
    _connection_cells.push_back(cell);
    _connection_others.push_back(other);
  }

  void CornerPointGrid::get_connection_list(std::vector<unsigned int> &cells,
                                            std::vector<unsigned int> &others) const
  {
    cells  = _connection_cells;
    others = _connection_others;
  }

  void CornerPointGrid::_flag_face_and_neighbor(unsigned int cell, Ijk::Direction direction)
  {
    _face_flags[std::size_t(cell) * Ijk::NUMBER_OF_DIRECTIONS + direction] = 1;
    const unsigned int neighbor = get_neighbor_cell(cell, direction);
    if (neighbor != Ijk::INVALID_INDEX)
      _face_flags[std::size_t(neighbor) * Ijk::NUMBER_OF_DIRECTIONS +
                  Ijk::opposite_direction(direction)] = 1;
  }
} // namespace orr
