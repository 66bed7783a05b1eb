#include "tool_command_line.h"

#include <iostream>

#include "input_error.h"

namespace orr
{
  namespace eclipse
  {
    ToolCommandLine read_tool_command_line(int argc, char **argv, std::size_t fewest, std::size_t most,
                                           const std::string &usage)
    {
      ToolCommandLine command_line;
      for (int a = 1; a < argc; ++a)
      {
        const std::string argument = argv[a];
        if (argument == "--well" && a + 1 < argc)
          command_line.well = argv[++a];
        else if (!argument.empty() && argument[0] == '-')
          throw InputError(usage);
        else
          command_line.words.push_back(argument);
      }
      if (command_line.words.size() < fewest || command_line.words.size() > most)
        throw InputError(usage);
      return command_line;
    }

    int run_reporting_failures(const std::function<void()> &work)
    {
      try
      {
        work();
        return 0;
      }
      catch (const InputError &error)
      {
        std::cerr << error.what();
        return 1;
      }
      catch (const std::exception &error)
      {
        std::cerr << "Error: " << error.what() << '\n';
        return 2;
      }
    }
  } // namespace eclipse
} // namespace orr
