#ifndef QUILL_COMMAND_LINE_H
#define QUILL_COMMAND_LINE_H

#include <string>

namespace orr
{
  namespace quill
  {
    /** Where a run reads its deck and writes its results. */
    struct RunPaths
    {
      /** Run directory, always ending in "/" or "\"; every file of the run is named from it. */
      std::string directory;
      /** Deck name without ".fip": the deck is directory + root_name + ".fip". */
      std::string root_name;
    };

    /** The line written for a wrong argument count (without its line end). */
    extern const char *const USAGE_TEXT;

    /**
     * Turns the command line "quill root_name [directory]" into the run's paths.
     *
     * argc, argv: as given to main (program name included).
     * The directory defaults to "./" (also for an empty directory argument); a directory
     * ending in "/" or "\" is kept, a trailing '"' (left by the shell's splitting of a
     * quoted directory that ends in a backslash) becomes "/", anything else gets "/"
     * appended. A root name longer than 4 characters loses a trailing ".fip" (exact case).
     *
     * Throws orr::InputError with the usage line unless there are one or two arguments.
     */
    RunPaths parse_command_line(int argc, const char *const *argv);
  } // namespace quill
} // namespace orr

#endif
