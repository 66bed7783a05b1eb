#ifndef QUILL_TESTS_QUILL_PROCESS_H
#define QUILL_TESTS_QUILL_PROCESS_H

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scratch_directory.h"

/** Exit status and output of one run of a built program. */
struct QuillRun
{
  int         exit_status;
  std::string out;
  std::string err;
};

inline std::string shell_quoted(const std::string &text)
{
  std::string quoted = "'";
  for (const char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/**
 * Runs `program` with `arguments` in `directory`; its output is collected in files outside that
 * directory. `shell_setup` runs first in the same shell, for limits that the program inherits
 * (for instance "ulimit -v 400000").
 */
inline QuillRun run_program(const ScratchDirectory &directory, const std::string &program,
                            const std::vector<std::string> &arguments, const std::string &shell_setup = "")
{
  ScratchDirectory output;
  std::string      command = (shell_setup.empty() ? "" : shell_setup + " && ") + "cd "
                        + shell_quoted(directory.path()) + " && " + shell_quoted(program);
  for (const std::string &argument : arguments)
    command += " " + shell_quoted(argument);
  command += " >" + shell_quoted(output.path() + "out") + " 2>"
             + shell_quoted(output.path() + "err");
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output.read("out"), output.read("err")};
}

#ifdef QUILL_BINARY
/** Runs the built quill (QUILL_BINARY, set by the build) as run_program does. */
inline QuillRun run_quill(const ScratchDirectory &directory, const std::vector<std::string> &arguments,
                          const std::string &shell_setup = "")
{
  return run_program(directory, QUILL_BINARY, arguments, shell_setup);
}
#endif

#endif
