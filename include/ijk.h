#ifndef ORR_IJK_H
#define ORR_IJK_H

#include <cstdint>
#include <limits>

#include "exceptions.h"

namespace orr
{
  /**
   * The (i, j, k) position of a cell or of a corner, 0-based. Cells run 0 <= i < ni,
   * corners 0 <= i <= ni (likewise for j and k).
   */
  class IjkIndex
  {
  public:
    IjkIndex()
      : _i(0), _j(0), _k(0)
    {}

    IjkIndex(std::uint32_t i, std::uint32_t j, std::uint32_t k)
      : _i(i), _j(j), _k(k)
    {}

    std::uint32_t i() const { return _i; }
    std::uint32_t j() const { return _j; }
    std::uint32_t k() const { return _k; }

    bool operator==(const IjkIndex &other) const
    {
      return _i == other._i && _j == other._j && _k == other._k;
    }
    bool operator!=(const IjkIndex &other) const { return !(*this == other); }

  private:
    std::uint32_t _i;
    std::uint32_t _j;
    std::uint32_t _k;
  };

  namespace Ijk
  {
    /** A cell or corner number that stands for "no cell" / "no corner" (all bits set). */
    constexpr std::uint32_t INVALID_INDEX = std::numeric_limits<std::uint32_t>::max();

    /**
     * The six face directions of a hexahedral cell. The values are fixed: the local update
     * of fast marching indexes its per-face tables with them. Opposite pairs are K_MINUS and
     * K_PLUS (0, 5), J_MINUS and J_PLUS (1, 3), I_PLUS and I_MINUS (2, 4).
     */
    enum Direction : std::int32_t
    {
      NO_DIRECTION = -1,
      K_MINUS      = 0,
      J_MINUS      = 1,
      I_PLUS       = 2,
      J_PLUS       = 3,
      I_MINUS      = 4,
      K_PLUS       = 5
    };

    constexpr unsigned int NUMBER_OF_DIRECTIONS = 6;

    /** The three grid dimensions. */
    enum Dimension : std::int32_t
    {
      DIM_I = 0,
      DIM_J = 1,
      DIM_K = 2
    };

    constexpr unsigned int NUMBER_OF_DIMENSIONS = 3;

    /**
     * The dimension a direction steps along. NO_DIRECTION or a value outside 0..5 is an
     * internal error (check and report).
     */
    inline Dimension get_dimension(Direction direction)
    {
      static constexpr Dimension dimensions[NUMBER_OF_DIRECTIONS] = {DIM_K, DIM_J, DIM_I, DIM_J, DIM_I, DIM_K};
      const auto index = static_cast<std::uint32_t>(direction);
      if (index >= NUMBER_OF_DIRECTIONS)
      {
        ORR_ASSERT(false, ExcInternalError());
        return DIM_I;
      }
      return dimensions[index];
    }

    /**
     * The direction that points back across the same face; NO_DIRECTION gives NO_DIRECTION.
     * A value outside -1..5 is an internal error (check and report).
     */
    inline Direction opposite_direction(Direction direction)
    {
      static constexpr Direction opposites[NUMBER_OF_DIRECTIONS] = {K_PLUS, J_PLUS, I_MINUS, J_MINUS, I_PLUS, K_MINUS};
      if (direction == NO_DIRECTION)
        return NO_DIRECTION;
      const auto index = static_cast<std::uint32_t>(direction);
      if (index >= NUMBER_OF_DIRECTIONS)
      {
        ORR_ASSERT(false, ExcInternalError());
        return NO_DIRECTION;
      }
      return opposites[index];
    }
  } // namespace Ijk
} // namespace orr

#endif
