#ifndef QUILL_ENSEMBLE_PROGRESS_REPORT_H
#define QUILL_ENSEMBLE_PROGRESS_REPORT_H

#include <chrono>
#include <ostream>
#include <string>

namespace orr
{
  namespace ensemble
  {
    /**
     * What a run of an ensemble tells its user, the same for the local and the Slurm mode.
     *
     * On a terminal one progress line is rewritten in place ("12 of 100 done, 1 failed,
     * 2 running, about 3 min left"), with a line above it for each failure. Elsewhere (a log
     * file, the desktop program reading a pipe) every realisation that ends gets a plain line:
     *
     *   [12/100] r012 finished in 4.2 s
     *   [13/100] r013 failed with exit status 1: Error in reading PERMX data!
     *   [14/100] r014 got no result: the Slurm task 17_13 ended as TIMEOUT
     *
     * where 12 counts the realisations ended so far, failures included.
     */
    class ProgressReport
    {
    public:
      /**
       * out: where the report goes; terminal: whether it is a terminal; total: realisations
       * to run in this call.
       */
      ProgressReport(std::ostream &out, bool terminal, unsigned total);

      /** How many realisations currently run (Slurm: tasks in state RUNNING). */
      void set_running(unsigned running);
      /** A realisation ended with exit status 0 after `seconds` (negative when unknown). */
      void finished(const std::string &name, double seconds);
      /** A realisation ended with another exit status; `message` is its first error line. */
      void failed(const std::string &name, int exit_status, const std::string &message);
      /** A Slurm task ended without a result of its run; `reason` says how. */
      void lost(const std::string &name, const std::string &reason);
      /** Rewrites the progress line (terminal only), for instance once a second. */
      void refresh();
      /**
       * Rewrites the progress line a last time and ends it (terminal only), so that later
       * text starts on a line of its own.
       */
      void close();

      unsigned done() const { return _finished + _failed; }
      unsigned failures() const { return _failed; }

    private:
      void _counted_line(const std::string &text);

      std::ostream                         &_out;
      bool                                  _terminal;
      unsigned                              _total;
      unsigned                              _finished = 0;
      unsigned                              _failed   = 0;
      unsigned                              _running  = 0;
      std::chrono::steady_clock::time_point _start;
      bool                                  _line_open = false;
    };
  } // namespace ensemble
} // namespace orr

#endif
