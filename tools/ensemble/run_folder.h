#ifndef QUILL_ENSEMBLE_RUN_FOLDER_H
#define QUILL_ENSEMBLE_RUN_FOLDER_H

#include <filesystem>
#include <string>
#include <vector>

#include "ensemble_folder.h"

namespace orr
{
  namespace ensemble
  {
    /**
     * A realisation's run folder <ensemble>/runs/<name>/ holds
     * - the base deck, copied, and a link for every file the deck includes: to the
     *   realisation's own file of that name where it has one, else to the base's;
     * - "ensemble_inputs.txt": size and modification time of each of those sources at the
     *   time the folder was made, so that a later change of the inputs is noticed;
     * - quill's standard output and error ("quill.out", "quill.err") and its result files;
     * - "exit_status", written when quill has ended: its exit status on the first line (128 + n
     *   for a process ended by signal n), the first non-empty line of its standard error on
     *   the second. The batch script of a Slurm run writes the same file.
     */
    constexpr const char *INPUTS_FILE      = "ensemble_inputs.txt";
    constexpr const char *QUILL_OUTPUT     = "quill.out";
    constexpr const char *QUILL_ERRORS     = "quill.err";
    constexpr const char *EXIT_STATUS_FILE = "exit_status";

    /** Where a realisation stands. */
    enum class RunState
    {
      PENDING,   // never run, or stopped before quill ended
      FINISHED,  // quill ended with exit status 0 on the inputs as they are now
      FAILED,    // quill ended with another exit status on the inputs as they are now
      STALE      // quill ended with status 0, but the inputs changed since
    };

    struct RunRecord
    {
      std::string name;
      RunState    state       = RunState::PENDING;
      int         exit_status = 0;  // FAILED: quill's exit status
      std::string message;          // FAILED: the first line quill wrote to standard error
    };

    /**
     * The file names that follow `INCLUDE` lines in the deck, in deck order, each once.
     * Throws orr::InputError when the deck cannot be read or names a file outside its folder
     * (a ".." in the name): the run folders could not hold it.
     */
    std::vector<std::string> included_file_names(const std::filesystem::path &deck);

    /**
     * Makes the run folder of `name` afresh (whatever was in it goes).
     * Throws orr::InputError for the faults of `input_fingerprint`, std::filesystem_error when
     * the folder cannot be made.
     */
    void prepare_run_folder(const EnsembleFolder &ensemble, const std::string &name);

    /**
     * The state of `name`'s run, judged from its run folder and the inputs as they are now.
     * Throws orr::InputError for the faults of `input_fingerprint`.
     */
    RunRecord read_run_record(const EnsembleFolder &ensemble, const std::string &name);

    /** The records of every realisation, in name order. */
    std::vector<RunRecord> read_run_records(const EnsembleFolder &ensemble);

    /**
     * Writes the exit_status file of a run folder (whole or not at all), taking the message
     * from the first non-empty line of its quill.err.
     * Returns the message; throws std::runtime_error when the file cannot be written.
     */
    std::string write_exit_status(const std::filesystem::path &run_folder, int exit_status);

    /**
     * The text kept in ensemble_inputs.txt: for the base deck and for each included file
     * (the realisation's own or the base's), its size, modification time and path.
     * Throws orr::InputError when the realisation holds a file that the deck does not include
     * (a misspelt name would otherwise be ignored without a word).
     */
    std::string input_fingerprint(const EnsembleFolder &ensemble, const std::string &name);
  } // namespace ensemble
} // namespace orr

#endif
