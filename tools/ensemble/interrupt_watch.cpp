#include "interrupt_watch.h"

#include <cmath>
#include <ctime>
#include <initializer_list>

namespace orr
{
  namespace ensemble
  {
    InterruptWatch::InterruptWatch()
    {
      sigemptyset(&_watched);
      for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGCHLD})
        sigaddset(&_watched, signal);
      sigprocmask(SIG_BLOCK, &_watched, &_previous);
    }

    InterruptWatch::~InterruptWatch()
    {
      sigprocmask(SIG_SETMASK, &_previous, nullptr);
    }

    bool InterruptWatch::wait(const double seconds)
    {
      const double   whole = std::floor(seconds);
      const timespec timeout{static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
      const int      signal = sigtimedwait(&_watched, nullptr, &timeout);
      if (signal == SIGINT || signal == SIGTERM || signal == SIGHUP)
        _stop_requested = true;
      return _stop_requested;
    }
  } // namespace ensemble
} // namespace orr
