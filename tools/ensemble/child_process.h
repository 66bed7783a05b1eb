#ifndef QUILL_ENSEMBLE_CHILD_PROCESS_H
#define QUILL_ENSEMBLE_CHILD_PROCESS_H

#include <string>
#include <sys/types.h>
#include <vector>

namespace orr
{
  namespace ensemble
  {
    /**
     * Starts `arguments[0]` (a path) with the arguments after it in `folder`, its standard
     * output and error written to the files `output_path` and `errors_path` (relative to
     * `folder`), in a process group of its own so that a Ctrl-C meant for this program does
     * not reach it, and with no signal blocked. Does not wait.
     * Returns the process id; throws std::runtime_error when no process could be made. A
     * program that cannot be started ends the child with status 127 and the reason in
     * `errors_path`.
     */
    pid_t start_in_folder(const std::vector<std::string> &arguments, const std::string &folder,
                          const std::string &output_path, const std::string &errors_path);

    /** What a command printed, and how it ended. */
    struct CommandResult
    {
      int         exit_status = 0;  // 128 + n when ended by signal n; 127 when it could not start
      std::string output;           // standard output
      std::string errors;           // standard error
    };

    /**
     * Runs `arguments[0]` (looked up on PATH) with the arguments after it and waits for it.
     * Throws std::runtime_error when no process could be made.
     */
    CommandResult run_command(const std::vector<std::string> &arguments);

    /** The exit status as a shell reports it: 128 + n for a process ended by signal n. */
    int shell_exit_status(int wait_status);
  } // namespace ensemble
} // namespace orr

#endif
