#ifndef ORR_TESTS_FAST_MARCHING_TEST_GRID_H
#define ORR_TESTS_FAST_MARCHING_TEST_GRID_H

#include <memory>
#include <string>

#include "data_record.h"
#include "grid_corner_point.h"
#include "ijk.h"
#include "properties.h"

namespace orr
{
  namespace testing
  {
    /**
     * A grid of ni x nj x nk active cells with the seven property records filed the way
     * the deck reader files them, every cell holding the same values; single cells are
     * changed through `record`.
     */
    struct TestGrid
    {
      TestGrid(unsigned int ni, unsigned int nj, unsigned int nk, double dx = 10.0, double dy = 10.0,
               double dz = 10.0, double perm = 100.0, double poro = 0.2)
        : grid(std::make_shared<CornerPointGrid>())
      {
        grid->set_dimension(IjkIndex(ni, nj, nk));
        for (unsigned int c = 0; c < grid->number_of_cells(); ++c)
          grid->activate_cell(c);
        add("PORO    ", poro);
        add("PERMX   ", perm);
        add("PERMY   ", perm);
        add("PERMZ   ", perm);
        add("DX      ", dx);
        add("DY      ", dy);
        add("DZ      ", dz);
      }

      /** The record filed under `name` (8 characters, blank-padded). */
      DataRecord<double> &record(const std::string &name)
      {
        return dynamic_cast<DataRecord<double> &>(*grid->cell_properties()->get(name));
      }

      void add(const std::string &name, double value)
      {
        auto r = std::make_shared<DataRecord<double>>(name);
        r->assign(grid->number_of_cells(), value);
        grid->cell_properties()->set(name, r);
      }

      unsigned int cell(unsigned int i, unsigned int j, unsigned int k) const
      {
        return grid->get_icell(IjkIndex(i, j, k));
      }

      std::shared_ptr<CornerPointGrid> grid;
    };
  } // namespace testing
} // namespace orr

#endif
