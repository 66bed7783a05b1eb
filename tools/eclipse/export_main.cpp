// quill-export: a finished quill run as files ResInsight and ParaView read.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "export_grid.h"
#include "quill_run_results.h"
#include "tool_command_line.h"
#include "viewer_files.h"

namespace
{
  namespace fs = std::filesystem;

  const char USAGE[] = "Usage: quill-export [--well NAME] <root> [<directory>]\n";
  // The well's name in the summary when none is given.
  const char DEFAULT_WELL[] = "QUILL";

  struct Arguments
  {
    std::string root;
    std::string directory = ".";
    std::string well = DEFAULT_WELL;
  };

  Arguments read_arguments(int argc, char **argv)
  {
    const orr::eclipse::ToolCommandLine command_line = orr::eclipse::read_tool_command_line(argc, argv, 1, 2, USAGE);
    Arguments arguments;
    arguments.root = command_line.words[0];
    // The root name may be given as quill takes it, with ".fip".
    if (arguments.root.size() > 4 && arguments.root.compare(arguments.root.size() - 4, 4, ".fip") == 0)
      arguments.root.resize(arguments.root.size() - 4);
    if (command_line.words.size() == 2)
      arguments.directory = command_line.words[1];
    if (!command_line.well.empty())
      arguments.well = command_line.well;
    return arguments;
  }
} // namespace

int main(int argc, char **argv)
{
  return orr::eclipse::run_reporting_failures([argc, argv] {
    const Arguments arguments = read_arguments(argc, argv);
    const orr::eclipse::QuillRunResults run = orr::eclipse::read_quill_run(arguments.directory, arguments.root);
    const orr::eclipse::ExportGrid grid =
      orr::eclipse::export_grid((fs::path(arguments.directory) / (arguments.root + ".EGRID")).string(), run);
    orr::eclipse::write_viewer_files(run, grid, arguments.root, arguments.well, arguments.directory);

    std::cout << "Exported " << arguments.root << " in " << arguments.directory << " on "
              << (grid.imported ? "the imported original grid" : "a grid built from DX, DY and DZ") << ": "
              << arguments.root << ".EGRID, .INIT, .UNRST"
              << (run.has_pressure_model ? ", .SMSPEC, .UNSMRY" : "") << " for ResInsight; " << arguments.root
              << ".pvd with " << std::max<std::size_t>(run.maps.size(), 1) << " time steps for ParaView.\n";
  });
}
