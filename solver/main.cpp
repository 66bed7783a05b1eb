// quill: diffusive time of flight by fast marching, and optionally the pressure solution
// in tau, for the deck <directory><root name>.fip.
#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#include "command_line.h"
#include "input_error.h"
#include "simulation.h"

namespace
{
  constexpr int EXIT_INPUT_ERROR    = 1;
  constexpr int EXIT_INTERNAL_ERROR = 2;
} // namespace

int main(int argc, char **argv)
{
  // A file that reaches the file-size limit is then a failed write with a message, not a
  // process killed part-way through its results.
  std::signal(SIGXFSZ, SIG_IGN);
  try
    {
      const orr::quill::RunPaths paths = orr::quill::parse_command_line(argc, argv);
      Simulation simulation(paths.directory, paths.root_name);
      simulation.read_deck();
      simulation.run();
      return 0;
    }
  catch (const orr::InputError &error)
    {
      std::cout << std::flush;
      std::cerr << error.what() << std::flush;
      return EXIT_INPUT_ERROR;
    }
  catch (const std::bad_alloc &)
    {
      // A grid within the accepted size can still be more than this computer holds.
      std::cout << std::flush;
      std::cerr << "Error: There is not enough memory for this run!\n" << std::flush;
      return EXIT_INTERNAL_ERROR;
    }
  catch (const std::exception &error)
    {
      std::cout << std::flush;
      const std::string text = error.what();
      std::cerr << text << (!text.empty() && text.back() == '\n' ? "" : "\n") << std::flush;
      return EXIT_INTERNAL_ERROR;
    }
}
