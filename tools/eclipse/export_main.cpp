// quill-export: a finished quill run as files ResInsight and ParaView read.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "export_grid.h"
#include "input_error.h"
#include "quill_run_results.h"
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
    Arguments arguments;
    std::vector<std::string> positional;
    for (int a = 1; a < argc; ++a)
    {
      const std::string argument = argv[a];
      if (argument == "--well" && a + 1 < argc)
        arguments.well = argv[++a];
      else if (!argument.empty() && argument[0] == '-')
        throw orr::InputError(USAGE);
      else
        positional.push_back(argument);
    }
    if (positional.empty() || positional.size() > 2)
      throw orr::InputError(USAGE);
    arguments.root = positional[0];
    // The root name may be given as quill takes it, with ".fip".
    if (arguments.root.size() > 4 && arguments.root.compare(arguments.root.size() - 4, 4, ".fip") == 0)
      arguments.root.resize(arguments.root.size() - 4);
    if (positional.size() == 2)
      arguments.directory = positional[1];
    return arguments;
  }
} // namespace

int main(int argc, char **argv)
{
  try
  {
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
  }
  catch (const orr::InputError &error)
  {
    std::cerr << error.what();
    return 1;
  }
  catch (const std::exception &error)
  {
    std::cerr << "Error: " << error.what() << '\n';
    return 2;
  }
  return 0;
}
