#ifndef ORR_TESTS_PRESSURE_TEST_DECKS_H
#define ORR_TESTS_PRESSURE_TEST_DECKS_H

#include <string>
#include <vector>

#include "one_dim_solver.h"

namespace orr
{
  namespace testing
  {
    /** A solver filled from an inline pressure-model section. */
    quill::OneDimSolver solver_from(const std::string &section);

    /** The text of the InputError that reading the section throws ("" when none). */
    std::string reader_error(const std::string &section);

    /** Acceptance lists of fast marching in a homogeneous radial reservoir. */
    struct RadialAcceptance
    {
      std::vector<double> tau, pore_volume, bulk_volume, cell_tau;
    };

    /**
     * A cylinder of thickness h and porosity phi around one completed square cell of side dx,
     * drained out to outer_radius in `entries` rings; tau = r / d.
     */
    RadialAcceptance radial_acceptance(double d, double h, double phi, double dx,
                                       double outer_radius, unsigned entries);

    /**
     * A dry-gas reservoir with a homogeneous radial drainage area (k 1 md, h 50 ft, phi 0.1,
     * completed cell 50 ft wide, outer radius 1000 ft), set up and ready to solve. The
     * schedule and options come from `options_and_schedule`, appended to a gas PVT deck.
     */
    quill::OneDimSolver radial_gas_solver(const std::string &options_and_schedule,
                                          unsigned entries = 2000);
  } // namespace testing
} // namespace orr

#endif
