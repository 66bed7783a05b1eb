#ifndef ORR_CELL_GEOMETRY_H
#define ORR_CELL_GEOMETRY_H

#include <array>

#include "ijk.h"

namespace orr
{
  /**
   * The eight corner points of one hexahedral cell, in feet (or metres, as the grid's unit
   * says). Corner c = (ci, cj, ck), each 0 (low side) or 1 (high side), is stored at
   * ci + 2 cj + 4 ck.
   *
   * Used to find which faces of two cells coincide when a listed connection joins cells
   * that are not lattice neighbours (faults, refinements).
   */
  class CellGeometry
  {
  public:
    using Point = std::array<double, 3>;

    CellGeometry();

    /** The eight corners in the order above. */
    explicit CellGeometry(const std::array<Point, 8> &corners);

    const Point &corner(unsigned int ci, unsigned int cj, unsigned int ck) const;
    void set_corner(unsigned int ci, unsigned int cj, unsigned int ck, const Point &point);

    /** The four corners of the face in `direction`, in a fixed order around the face. */
    std::array<Point, 4> face_corners(Ijk::Direction direction) const;

    /**
     * True when the face of this cell in `direction` and the face of `other` in
     * `other_direction` have the same four corners (in any order), each coordinate within
     * `tolerance`.
     */
    bool face_matches(Ijk::Direction direction, const CellGeometry &other,
                      Ijk::Direction other_direction, double tolerance) const;

  private:
    std::array<Point, 8> _corners;
  };
} // namespace orr

#endif
