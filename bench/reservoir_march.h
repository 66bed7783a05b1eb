#ifndef ORR_BENCH_RESERVOIR_MARCH_H
#define ORR_BENCH_RESERVOIR_MARCH_H

#include <cstddef>

#include "corner_point_grid_solver.h"
#include "cpg_system.h"
#include "synthetic_reservoir.h"

namespace orr
{
  namespace bench
  {
    /** The grid solver of a run, counting the cells it accepts. */
    class CountingGridSolver : public orr::quill::CornerPointGridSolver
    {
    public:
      void callback_new_value_accepted(const unsigned int &cell, const double &tau) override
      {
        ++_accepted;
        CornerPointGridSolver::callback_new_value_accepted(cell, tau);
      }

      std::size_t accepted() const { return _accepted; }

    private:
      std::size_t _accepted = 0;
    };

    /**
     * Readies `solver` for the march on `system` (built from `reservoir`) as a run of quill
     * does after reading the deck: binds it to the grid and seeds the well's completions with
     * tau 0. The fluid (ct, mu) and the order are the caller's to set.
     */
    void prepare_march(orr::quill::CornerPointGridSolver &solver, const CpgSystem &system,
                       const SyntheticReservoir &reservoir);
  } // namespace bench
} // namespace orr

#endif
