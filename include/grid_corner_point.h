#ifndef ORR_GRID_CORNER_POINT_H
#define ORR_GRID_CORNER_POINT_H

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "cell_geometry.h"
#include "dynamic_properties.h"
#include "exceptions.h"
#include "ijk.h"
#include "properties.h"

namespace orr
{
  /** One face of one cell: the direction it faces and the cell's linear index. */
  struct CellFace
  {
    Ijk::Direction direction;
    unsigned int   cell;

    /** Faces are ordered by cell first, then by direction. */
    bool operator<(const CellFace &other) const
    {
      return cell != other.cell ? cell < other.cell : direction < other.direction;
    }
    bool operator==(const CellFace &other) const
    {
      return cell == other.cell && direction == other.direction;
    }
  };

  /**
   * A structured hexahedral grid of ni x nj x nk cells: numbering of cells and corners,
   * neighbour look-up, the active-cell map, per-face connection flags and the named
   * property containers that the deck reader fills and the solvers read.
   *
   * Cells are numbered i fastest: (nj k + j) ni + i; corners likewise on the
   * (ni+1) x (nj+1) x (nk+1) lattice. "No cell" and "no corner" are Ijk::INVALID_INDEX.
   *
   * Usage: construct, `set_dimension`, `activate_cell` for the active cells in increasing
   * cell order, register the property records in `cell_properties`.
   *
   * The index conversions and neighbour look-ups are inline: fast marching calls them for
   * every neighbour of every cell. The class is final so that calls through a grid pointer
   * are resolved at compile time.
   */
  class CornerPointGrid final
  {
  public:
    /** Bytes of flags per cell, one per dimension and one per direction. */
    using DimensionFlags = std::array<std::uint8_t, Ijk::NUMBER_OF_DIMENSIONS>;
    using FaceFlags      = std::array<std::uint8_t, Ijk::NUMBER_OF_DIRECTIONS>;

    /** Grid shape codes set by `set_dimension`. */
    enum Shape : std::int32_t
    {
      SHAPE_UNDEFINED = -1,
      SHAPE_3D        = 0,
      SHAPE_JK_PLANE  = 1,
      SHAPE_IK_PLANE  = 2,
      SHAPE_IJ_PLANE  = 3,
      SHAPE_I_LINE    = 4,
      SHAPE_J_LINE    = 5,
      SHAPE_K_LINE    = 6
    };

    /** An empty grid: dimensions all bits set, no cells. */
    CornerPointGrid();
    virtual ~CornerPointGrid();

    CornerPointGrid(const CornerPointGrid &) = delete;
    CornerPointGrid &operator=(const CornerPointGrid &) = delete;

    /**
     * Sets the dimensions (ni, nj, nk) and sizes all per-cell tables, cleared: no cell
     * active, no flags, no per-cell objects, no connections. A single cell or a zero
     * dimension is an internal error (check and report); so is a cell or corner count
     * beyond the 32-bit numbering.
     */
    virtual void set_dimension(const IjkIndex &dim);

    virtual IjkIndex get_dim() const { return _dim; }

    /** Shape code of the dimensions (see Shape). */
    Shape get_shape() const { return _shape; }

    /** Linear index of the cell at `ijk`; each coordinate must be below its dimension. */
    virtual unsigned int get_icell(const IjkIndex &ijk) const
    {
      ORR_ASSERT(ijk.i() < _dim.i(), ExcIndexRange(ijk.i(), 0, _dim.i()));
      ORR_ASSERT(ijk.j() < _dim.j(), ExcIndexRange(ijk.j(), 0, _dim.j()));
      ORR_ASSERT(ijk.k() < _dim.k(), ExcIndexRange(ijk.k(), 0, _dim.k()));
      return (_dim.j() * ijk.k() + ijk.j()) * _dim.i() + ijk.i();
    }

    /** Linear index of the corner at `ijk`; each coordinate must be at most its dimension. */
    virtual unsigned int get_icorner(const IjkIndex &ijk) const
    {
      ORR_ASSERT(ijk.i() <= _dim.i(), ExcIndexRange(ijk.i(), 0, _dim.i()));
      ORR_ASSERT(ijk.j() <= _dim.j(), ExcIndexRange(ijk.j(), 0, _dim.j()));
      ORR_ASSERT(ijk.k() <= _dim.k(), ExcIndexRange(ijk.k(), 0, _dim.k()));
      return ((_dim.j() + 1) * ijk.k() + ijk.j()) * (_dim.i() + 1) + ijk.i();
    }

    /** Position of cell `index`; the index must be below number_of_cells(). */
    virtual IjkIndex get_ijk(unsigned int index) const
    {
      ORR_ASSERT(index < number_of_cells(), ExcIndexRange(index, 0, number_of_cells()-1));
      const unsigned int layer = _dim.i() * _dim.j();
      const unsigned int k     = index / layer;
      const unsigned int rest  = index - k * layer;
      return IjkIndex(rest % _dim.i(), rest / _dim.i(), k);
    }

    /** Position of corner `index` (not checked). */
    virtual IjkIndex get_corner_ijk(unsigned int index) const
    {
      const unsigned int row   = _dim.i() + 1;
      const unsigned int layer = row * (_dim.j() + 1);
      const unsigned int rest  = index % layer;
      return IjkIndex(rest % row, rest / row, index / layer);
    }

    /** The per-cell object of a cell (null unless set). */
    virtual std::shared_ptr<CellGeometry> get_cell(const IjkIndex &ijk) const;
    virtual std::shared_ptr<CellGeometry> get_cell(unsigned int cell) const;
    virtual void set_cell(unsigned int cell, const std::shared_ptr<CellGeometry> &geometry);

    virtual unsigned int number_of_cells() const { return _number_of_cells; }
    virtual unsigned int number_of_corners() const { return _number_of_corners; }
    virtual unsigned int number_of_active_cells() const { return _number_of_active_cells; }

    /** 3 for a three-dimensional grid, 2 for a plane, 1 for a line. */
    virtual unsigned int space_dimension() const;

    virtual bool is_active(unsigned int cell) const
    {
      ORR_ASSERT(cell < number_of_cells(), ExcIndexRange(cell, 0, number_of_cells()-1));
      return _active_index[cell] != Ijk::INVALID_INDEX;
    }

    /**
     * Makes the cell active and gives it the next active number (0, 1, 2, ... in the order
     * of activation). Activating an active cell again changes nothing.
     */
    virtual void activate_cell(unsigned int cell);

    /** Marks the cell inactive; a cell that is already active is an invalid state (throws). */
    virtual void deactivate_cell(unsigned int cell);

    /** Active number of an active cell; an inactive cell is an invalid state (throws). */
    virtual unsigned int get_active_icell(unsigned int cid) const
    {
      ORR_ASSERT_THROW(is_active(cid), ExcInvalidState());
      return _active_index[cid];
    }

    virtual DimensionFlags get_dimension_flags(unsigned int cell) const;
    virtual bool get_dimension_flag(unsigned int cell, Ijk::Dimension dimension) const;
    virtual void set_dimension_flag(unsigned int cell, Ijk::Dimension dimension);

    virtual FaceFlags get_face_flags(unsigned int cell) const;

    /** True when the face carries no connection flag. */
    virtual bool is_regular_face(unsigned int cell, Ijk::Direction direction) const;

    /**
     * True when the step in `direction` leaves the grid along one of the dimensions that
     * the grid's shape spans (a plane or line grid has no boundary across its flat sides).
     */
    virtual bool is_boundary_face(unsigned int cell, Ijk::Direction direction) const;

    /**
     * The cell across the face in `direction`, or Ijk::INVALID_INDEX at the grid's edge.
     * Activity is not consulted. A direction outside 0..5 gives the cell itself.
     */
    virtual unsigned int get_neighbor_cell(unsigned int cell, Ijk::Direction direction) const
    {
      return _neighbor_cell(get_ijk(cell), direction);
    }

    /**
     * The index difference from a cell to its face neighbour in each direction, indexed by
     * direction; valid for the cells that have that neighbour.
     */
    std::array<std::int64_t, Ijk::NUMBER_OF_DIRECTIONS> get_neighbor_offsets() const
    {
      const std::int64_t row   = _dim.i();
      const std::int64_t layer = row * _dim.j();
      std::array<std::int64_t, Ijk::NUMBER_OF_DIRECTIONS> offsets;
      offsets[Ijk::K_MINUS] = -layer;
      offsets[Ijk::J_MINUS] = -row;
      offsets[Ijk::I_PLUS]  = 1;
      offsets[Ijk::J_PLUS]  = row;
      offsets[Ijk::I_MINUS] = -1;
      offsets[Ijk::K_PLUS]  = layer;
      return offsets;
    }

    /**
     * The face neighbours of `cell` in all six directions, indexed by direction, as
     * get_neighbor_cell gives them one by one; the cell's position is worked out once.
     */
    std::array<unsigned int, Ijk::NUMBER_OF_DIRECTIONS> get_neighbor_cells(unsigned int cell) const
    {
      const IjkIndex                                      ijk = get_ijk(cell);
      std::array<unsigned int, Ijk::NUMBER_OF_DIRECTIONS> neighbors;
      for (unsigned int d = 0; d < Ijk::NUMBER_OF_DIRECTIONS; ++d)
        neighbors[d] = _neighbor_cell(ijk, static_cast<Ijk::Direction>(d));
      return neighbors;
    }

    /** The corner one step away in `direction`, or Ijk::INVALID_INDEX off the lattice. */
    virtual unsigned int get_neighbor_corner(unsigned int corner, Ijk::Direction direction) const
    {
      const IjkIndex to = _step(get_corner_ijk(corner), direction);
      if (to.i() > _dim.i() || to.j() > _dim.j() || to.k() > _dim.k())
        return Ijk::INVALID_INDEX;
      return ((_dim.j() + 1) * to.k() + to.j()) * (_dim.i() + 1) + to.i();
    }

    /**
     * The direction from `cell` to its face neighbour `other` and back. Cells that are not
     * face neighbours are an internal error (thrown).
     */
    virtual void get_direction_between(unsigned int cell, unsigned int other,
                                       Ijk::Direction &direction, Ijk::Direction &back) const
    {
      for (const Ijk::Direction d : _search_order)
        if (get_neighbor_cell(cell, d) == other)
        {
          direction = d;
          back      = Ijk::opposite_direction(d);
          return;
        }
      throw StandardExceptions::ExcInternalError();
    }

    /** The same for two corners one lattice step apart. */
    virtual void get_direction_between_corners(unsigned int corner, unsigned int other,
                                               Ijk::Direction &direction,
                                               Ijk::Direction &back) const;

    /**
     * The cell reached from `corner` by stepping along those of d1, d2, d3 that are
     * K_MINUS, J_MINUS or I_MINUS (the others are skipped); Ijk::INVALID_INDEX when a step
     * leaves the lattice or the corner reached is on a high edge (no cell starts there).
     */
    virtual unsigned int get_cell_of_corner(unsigned int corner, Ijk::Direction d1,
                                            Ijk::Direction d2, Ijk::Direction d3) const;

    /**
     * The faces of `cell` and `other` that coincide, from the two cells' geometry objects.
     * Missing geometry is a null pointer error, cells without a common face an internal
     * error (both thrown).
     */
    virtual void match_connection_faces(unsigned int cell, unsigned int other,
                                        Ijk::Direction &direction, Ijk::Direction &back) const;

    /**
     * For every listed connection (add_connection): matches the two faces, flags them and
     * the faces of the lattice neighbours behind them, and links the two faces.
     */
    virtual void build_connections();

    /** The one cell connected to a face; a face without connection is an internal error. */
    virtual unsigned int get_connection(const CellFace &face) const;

    /** The faces connected to a face (empty when there are none). */
    virtual std::set<CellFace> get_connections(const CellFace &face) const;

    /** Flags both faces and links them with each other. */
    virtual void mark_connection(const CellFace &face, const CellFace &other);

    /** Flags the face and removes all its links (a closed face). */
    virtual void clear_connections(const CellFace &face);

    virtual std::shared_ptr<Properties> cell_properties() const { return _cell_properties; }
    virtual std::shared_ptr<DynamicProperties> cell_dynamic_properties() const
    {
      return _cell_dynamic_properties;
    }

    /** Lists a connection between two cells, for build_connections. */
    virtual void add_connection(unsigned int cell, unsigned int other);
    virtual void get_connection_list(std::vector<unsigned int> &cells,
                                     std::vector<unsigned int> &others) const;

    virtual std::shared_ptr<Properties> corner_properties() const { return _corner_properties; }
    virtual std::shared_ptr<DynamicProperties> corner_dynamic_properties() const
    {
      return _corner_dynamic_properties;
    }

  private:
    /** One step in `direction`; an unsigned wrap below 0 counts as outside. */
    static IjkIndex _step(const IjkIndex &ijk, Ijk::Direction direction)
    {
      switch (direction)
      {
        case Ijk::K_MINUS: return IjkIndex(ijk.i(), ijk.j(), ijk.k() - 1);
        case Ijk::J_MINUS: return IjkIndex(ijk.i(), ijk.j() - 1, ijk.k());
        case Ijk::I_PLUS:  return IjkIndex(ijk.i() + 1, ijk.j(), ijk.k());
        case Ijk::J_PLUS:  return IjkIndex(ijk.i(), ijk.j() + 1, ijk.k());
        case Ijk::I_MINUS: return IjkIndex(ijk.i() - 1, ijk.j(), ijk.k());
        case Ijk::K_PLUS:  return IjkIndex(ijk.i(), ijk.j(), ijk.k() + 1);
        default:           return ijk;
      }
    }

    /** The cell one step from position `ijk` in `direction`, or Ijk::INVALID_INDEX off the grid. */
    unsigned int _neighbor_cell(const IjkIndex &ijk, Ijk::Direction direction) const
    {
      const IjkIndex to = _step(ijk, direction);
      if (to.i() >= _dim.i() || to.j() >= _dim.j() || to.k() >= _dim.k())
        return Ijk::INVALID_INDEX;
      return (_dim.j() * to.k() + to.j()) * _dim.i() + to.i();
    }

    void _check_cell(unsigned int cell) const
    {
      ORR_ASSERT(cell < number_of_cells(), ExcIndexRange(cell, 0, number_of_cells()-1));
    }

    /** Flags the face of `cell` and the facing face of its lattice neighbour. */
    void _flag_face_and_neighbor(unsigned int cell, Ijk::Direction direction);

    /** Order in which get_direction_between tries the directions. */
    static constexpr std::array<Ijk::Direction, Ijk::NUMBER_OF_DIRECTIONS> _search_order = {
      Ijk::I_MINUS, Ijk::I_PLUS, Ijk::J_MINUS, Ijk::J_PLUS, Ijk::K_MINUS, Ijk::K_PLUS};

    IjkIndex     _dim;
    Shape        _shape;
    unsigned int _number_of_cells;
    unsigned int _number_of_corners;

    /** Geometry per cell; empty until the first set_cell. */
    std::vector<std::shared_ptr<CellGeometry>> _cells;

    /** Active number per cell, Ijk::INVALID_INDEX for an inactive cell. */
    std::vector<unsigned int> _active_index;
    unsigned int              _number_of_active_cells;

    /** NUMBER_OF_DIMENSIONS and NUMBER_OF_DIRECTIONS bytes per cell. */
    std::vector<std::uint8_t> _dimension_flags;
    std::vector<std::uint8_t> _face_flags;

    std::map<CellFace, std::set<CellFace>> _connections;
    std::vector<unsigned int>              _connection_cells;
    std::vector<unsigned int>              _connection_others;

    std::shared_ptr<Properties>        _corner_properties;
    std::shared_ptr<DynamicProperties> _corner_dynamic_properties;
    std::shared_ptr<Properties>        _cell_properties;
    std::shared_ptr<DynamicProperties> _cell_dynamic_properties;
  };
} // namespace orr

#endif
