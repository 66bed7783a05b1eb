#ifndef QUILL_ENSEMBLE_OPTIONS_H
#define QUILL_ENSEMBLE_OPTIONS_H

#include <optional>
#include <string>
#include <vector>

namespace orr
{
  namespace ensemble
  {
    /** How `run --slurm` submits the job array. */
    struct SlurmOptions
    {
      std::string partition;     // --partition; empty: the cluster's default
      unsigned    max_running = 0;  // --max-running; 0: no limit on tasks running at once
      std::string time_limit;    // --time, in any form sbatch accepts; empty: the partition's
      bool        wait = true;   // false with --no-wait
    };

    /** The command line of quill-ensemble, checked. */
    struct EnsembleOptions
    {
      enum class Command
      {
        RUN,
        COLLECT
      };

      Command     command = Command::RUN;
      std::string ensemble;  // the ensemble folder as given
      unsigned    jobs = 0;  // --jobs; 0: the number of cores
      bool        slurm = false;
      SlurmOptions slurm_options;
      /** --days: the days of the reached-fraction maps; empty: the pressure maps' days. */
      std::vector<double> days;
      /** --quill: the quill program; empty: the one built with this tool, else quill on PATH. */
      std::string quill;
    };

    /** The usage text printed for a faulty command line. */
    extern const char *const USAGE;

    /**
     * Reads the arguments after the program name.
     * Throws orr::InputError with a message (and the usage text) on a faulty command line.
     */
    EnsembleOptions parse_command_line(const std::vector<std::string> &arguments);
  } // namespace ensemble
} // namespace orr

#endif
