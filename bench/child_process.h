#ifndef ORR_BENCH_CHILD_PROCESS_H
#define ORR_BENCH_CHILD_PROCESS_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orr
{
  namespace bench
  {
    /** What a finished child process cost, as its parent sees it. */
    struct ChildUsage
    {
      double        seconds             = 0.0;  // wall clock, from fork to reaping
      double        cpu_seconds         = 0.0;  // user and system time of the child
      std::uint64_t peak_resident_bytes = 0;    // the child's largest resident set
      bool          succeeded           = false;  // exited normally with status 0
      std::string   output;  // what the child reported back (run_forked) or ""
    };

    /**
     * Runs `work` in a forked copy of this process so that its peak resident memory is its
     * own; the text `work` returns travels back through a pipe into ChildUsage::output.
     * An exception escaping `work` fails the child (its text on standard error).
     */
    ChildUsage run_forked(const std::function<std::string()> &work);

    /**
     * Runs the program `arguments[0]` with the arguments after it, its standard output and
     * standard error written to `output_path`, and waits for it.
     * Throws std::runtime_error when the process cannot be started.
     */
    ChildUsage run_program(const std::vector<std::string> &arguments, const std::string &output_path);
  } // namespace bench
} // namespace orr

#endif
