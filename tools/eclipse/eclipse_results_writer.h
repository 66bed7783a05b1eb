#ifndef QUILL_ECLIPSE_ECLIPSE_RESULTS_WRITER_H
#define QUILL_ECLIPSE_ECLIPSE_RESULTS_WRITER_H

#include <string>

#include "export_grid.h"
#include "quill_run_results.h"
#include "staged_output.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Writes the run as Eclipse binary results with opm-common's writers, in field units:
     * <root>.EGRID (unless the grid is the imported original, already in place), <root>.INIT,
     * <root>.UNRST (report 0 with TAU and ARRIVAL, then PRESSURE at each map's day) and, with a
     * pressure model, <root>.SMSPEC and <root>.UNSMRY for well (TIME, WBHP, rate and
     * cumulative, and the field's rate and cumulative). Every file is staged in output.
     */
    void write_eclipse_results(const QuillRunResults &run, const ExportGrid &grid, const std::string &root,
                               const std::string &well, StagedOutput &output);
  } // namespace eclipse
} // namespace orr

#endif
