#ifndef QUILL_ECLIPSE_VIEWER_FILES_H
#define QUILL_ECLIPSE_VIEWER_FILES_H

#include <string>

#include "export_grid.h"
#include "quill_run_results.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Writes every file quill-export makes of a run into directory, all or none of them: the
     * Eclipse results for ResInsight (write_eclipse_results) and the .vtu/.pvd files for
     * ParaView (write_vtk_results). Throws std::runtime_error naming the first file that could
     * not be written.
     */
    void write_viewer_files(const QuillRunResults &run, const ExportGrid &grid, const std::string &root,
                            const std::string &well, const std::string &directory);
  } // namespace eclipse
} // namespace orr

#endif
