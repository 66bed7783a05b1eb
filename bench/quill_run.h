#ifndef ORR_BENCH_QUILL_RUN_H
#define ORR_BENCH_QUILL_RUN_H

#include <cstddef>
#include <string>

#include "child_process.h"

namespace orr
{
  namespace bench
  {
    /** One run of the quill program on a deck, as seen from outside and from its timing lines. */
    struct QuillRun
    {
      ChildUsage  usage;
      // The stages' timing lines, -1 where a line is absent.
      double      reading_seconds  = -1.0;  // "Reading above information costs"
      double      march_seconds    = -1.0;  // "Running Fast Marching Algorithm costs"
      double      pressure_seconds = -1.0;  // "Solving pressure costs"
      double      writing_seconds  = -1.0;  // "Writing results costs"
      std::size_t recorded_cells   = 0;     // rows of the tau table
      std::string output;                   // standard output and error of the run
    };

    /**
     * Runs `quill` (the program's path) on `directory` + `root` + ".fip" and reads back its
     * timing lines and the number of rows of root_tau_solutions.csv.
     * Throws std::runtime_error when the run fails, with the program's output.
     */
    QuillRun run_quill(const std::string &quill, const std::string &directory, const std::string &root);
  } // namespace bench
} // namespace orr

#endif
