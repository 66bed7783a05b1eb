#include "viewer_files.h"

#include "eclipse_results_writer.h"
#include "staged_output.h"
#include "vtk_writer.h"

namespace orr
{
  namespace eclipse
  {
    void write_viewer_files(const QuillRunResults &run, const ExportGrid &grid, const std::string &root,
                            const std::string &well, const std::string &directory)
    {
      StagedOutput output(directory);
      write_eclipse_results(run, grid, root, well, output);
      write_vtk_results(run, grid.grid, root, output);
      output.commit();
    }
  } // namespace eclipse
} // namespace orr
