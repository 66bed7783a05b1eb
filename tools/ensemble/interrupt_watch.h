#ifndef QUILL_ENSEMBLE_INTERRUPT_WATCH_H
#define QUILL_ENSEMBLE_INTERRUPT_WATCH_H

#include <csignal>

namespace orr
{
  namespace ensemble
  {
    /**
     * While it lives, Ctrl-C (SIGINT), SIGTERM and SIGHUP do not end this program; they, and
     * the end of a child process (SIGCHLD), are held until `wait` takes them. A runner thus
     * sleeps in one place and wakes for either event, and a stop request is never lost
     * between two checks. The signal mask is restored when the object goes; child processes
     * unblock their signals themselves (child_process.h).
     */
    class InterruptWatch
    {
    public:
      InterruptWatch();
      ~InterruptWatch();

      InterruptWatch(const InterruptWatch &) = delete;
      InterruptWatch &operator=(const InterruptWatch &) = delete;

      /**
       * Sleeps until a child ends, a stop is requested or `seconds` pass.
       * Returns true when a stop was requested (now or before).
       */
      bool wait(double seconds);

      /** Whether a stop was requested. */
      bool stop_requested() const { return _stop_requested; }

    private:
      sigset_t _watched;
      sigset_t _previous;
      bool     _stop_requested = false;
    };
  } // namespace ensemble
} // namespace orr

#endif
