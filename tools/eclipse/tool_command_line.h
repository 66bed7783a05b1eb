#ifndef QUILL_ECLIPSE_TOOL_COMMAND_LINE_H
#define QUILL_ECLIPSE_TOOL_COMMAND_LINE_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace orr
{
  namespace eclipse
  {
    /** The command line of quill-import and quill-export: its words, and --well NAME anywhere. */
    struct ToolCommandLine
    {
      std::vector<std::string> words;
      std::string              well;
    };

    /**
     * Reads the arguments after the program name. Throws orr::InputError with usage for any
     * other option or a count of words outside [fewest, most].
     */
    ToolCommandLine read_tool_command_line(int argc, char **argv, std::size_t fewest, std::size_t most,
                                           const std::string &usage);

    /**
     * Runs a tool's work and returns its exit status: 0 when it ends; 1 with the text of an
     * orr::InputError on standard error; 2 with "Error: " and the reason of any other failure.
     */
    int run_reporting_failures(const std::function<void()> &work);
  } // namespace eclipse
} // namespace orr

#endif
