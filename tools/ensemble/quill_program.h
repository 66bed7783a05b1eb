#ifndef QUILL_ENSEMBLE_QUILL_PROGRAM_H
#define QUILL_ENSEMBLE_QUILL_PROGRAM_H

#include <string>

namespace orr
{
  namespace ensemble
  {
    /**
     * The absolute path of the quill program to run: `given` (--quill) when not empty, else
     * the quill built with this tool, else `quill` on PATH. An absolute path lets the Slurm
     * nodes start the very same program.
     * Throws orr::InputError when that program does not exist or cannot be executed.
     */
    std::string quill_program(const std::string &given);
  } // namespace ensemble
} // namespace orr

#endif
