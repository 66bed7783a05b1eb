#ifndef QUILL_ENSEMBLE_COLLECT_H
#define QUILL_ENSEMBLE_COLLECT_H

#include <ostream>
#include <string>
#include <vector>

#include "ensemble_folder.h"

namespace orr
{
  namespace ensemble
  {
    /** What `collect` found. */
    struct CollectSummary
    {
      std::vector<std::string> used;     // finished realisations, in name order
      std::vector<std::string> failed;   // quill ended with an exit status other than 0
      std::vector<std::string> missing;  // not run, or stopped before quill ended
    };

    /**
     * Writes the ensemble's results beside its base deck, from the finished realisations only:
     * - <root>_ENSEMBLE.csv (decks with a pressure model): per report time the number of
     *   realisations used and the mean, P10, P50 and P90 of rate, cumulative production and
     *   bottom-hole pressure;
     * - <root>_ARRIVAL_P10.grdecl, _P50, _P90: per cell the percentile of the arrival time;
     * - <root>_REACHED_<t>.grdecl for each day t of `days` (empty: the days of the pressure
     *   maps): per cell the fraction of realisations whose front has reached it by day t.
     * Percentiles follow ensemble_statistics.h (P90 the low case). A cell a realisation's
     * front never reached (arrival time written as 0 away from the completion cells, or the
     * infinite value) counts as reached at an infinite time, written as 1.79769e+308.
     * Every file is written whole or not at all, and only after all inputs were read; the
     * temporary files of a collect that was killed while writing are removed first. The caller
     * makes sure that no other collect runs on the ensemble at the same time.
     * The failed and missing realisations are named on `out`.
     *
     * Throws orr::InputError naming the realisations when none has finished, when the inputs
     * of finished runs changed since (the base deck, or their files), or when realisations
     * differ in their grid or report times; std::runtime_error for unreadable results.
     */
    CollectSummary collect(const EnsembleFolder &ensemble, const std::vector<double> &days, std::ostream &out);
  } // namespace ensemble
} // namespace orr

#endif
