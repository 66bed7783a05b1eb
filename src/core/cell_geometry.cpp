#include "cell_geometry.h"

#include <cmath>

namespace orr
{
  namespace
  {
    bool same_point(const CellGeometry::Point &a, const CellGeometry::Point &b, double tolerance)
    {
      return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
             std::abs(a[2] - b[2]) <= tolerance;
    }

    /** True when every point of `a` has a partner in `b`. */
    bool covered_by(const std::array<CellGeometry::Point, 4> &a,
                    const std::array<CellGeometry::Point, 4> &b, double tolerance)
    {
      for (const CellGeometry::Point &p : a)
      {
        bool found = false;
        for (const CellGeometry::Point &q : b)
          found = found || same_point(p, q, tolerance);
        if (!found)
          return false;
      }
      return true;
    }
  } // namespace

  CellGeometry::CellGeometry()
    : _corners{}
  {}

  CellGeometry::CellGeometry(const std::array<Point, 8> &corners)
    : _corners(corners)
  {}

  const CellGeometry::Point &CellGeometry::corner(unsigned int ci, unsigned int cj,
                                                  unsigned int ck) const
  {
    ORR_ASSERT(ci < 2 && cj < 2 && ck < 2, ExcInternalError());
    return _corners[ci + 2 * cj + 4 * ck];
  }

  void CellGeometry::set_corner(unsigned int ci, unsigned int cj, unsigned int ck,
                                const Point &point)
  {
    ORR_ASSERT(ci < 2 && cj < 2 && ck < 2, ExcInternalError());
    _corners[ci + 2 * cj + 4 * ck] = point;
  }

  std::array<CellGeometry::Point, 4> CellGeometry::face_corners(Ijk::Direction direction) const
  {
    switch (direction)
    {
      case Ijk::I_MINUS:
      case Ijk::I_PLUS:
      {
        const unsigned int ci = direction == Ijk::I_PLUS ? 1 : 0;
        return {corner(ci, 0, 0), corner(ci, 1, 0), corner(ci, 1, 1), corner(ci, 0, 1)};
      }
      case Ijk::J_MINUS:
      case Ijk::J_PLUS:
      {
        const unsigned int cj = direction == Ijk::J_PLUS ? 1 : 0;
        return {corner(0, cj, 0), corner(1, cj, 0), corner(1, cj, 1), corner(0, cj, 1)};
      }
      case Ijk::K_MINUS:
      case Ijk::K_PLUS:
      {
        const unsigned int ck = direction == Ijk::K_PLUS ? 1 : 0;
        return {corner(0, 0, ck), corner(1, 0, ck), corner(1, 1, ck), corner(0, 1, ck)};
      }
      default:
        ORR_ASSERT(false, ExcInternalError());
        return {};
    }
  }

  bool CellGeometry::face_matches(Ijk::Direction direction, const CellGeometry &other,
                                  Ijk::Direction other_direction, double tolerance) const
  {
    const std::array<Point, 4> mine   = face_corners(direction);
    const std::array<Point, 4> theirs = other.face_corners(other_direction);
    return covered_by(mine, theirs, tolerance) && covered_by(theirs, mine, tolerance);
  }
} // namespace orr
