#include "reservoir_march.h"

#include "grid_corner_point.h"
#include "ijk.h"

namespace orr
{
  namespace bench
  {
    void prepare_march(orr::quill::CornerPointGridSolver &solver, const CpgSystem &system,
                       const SyntheticReservoir &reservoir)
    {
      const std::shared_ptr<CornerPointGrid> grid = system.get_unit_grid(0);
      solver.attach_grid(grid, system.get_unit_type());
      for (const orr::quill::CompletionCell &completion : reservoir.completions)
        {
          const IjkIndex ijk(completion.i - 1, completion.j - 1, completion.k - 1);
          solver.add_cell_initial_value(grid->get_icell(ijk), ijk, 0.0);
        }
    }
  } // namespace bench
} // namespace orr
