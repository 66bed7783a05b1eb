#include "progress_report.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      /** "45 s", "3 min", "2 h 5 min". */
      std::string duration_text(const double seconds)
      {
        const long rounded = std::lround(seconds);
        if (rounded < 100)
          return std::to_string(rounded) + " s";
        const long minutes = (rounded + 30) / 60;
        if (minutes < 100)
          return std::to_string(minutes) + " min";
        return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
      }
    } // namespace

    ProgressReport::ProgressReport(std::ostream &out, const bool terminal, const unsigned total)
      : _out(out)
      , _terminal(terminal)
      , _total(total)
      , _start(std::chrono::steady_clock::now())
    {}

    void ProgressReport::set_running(const unsigned running)
    {
      _running = running;
    }

    void ProgressReport::finished(const std::string &name, const double seconds)
    {
      ++_finished;
      if (_terminal)
        return refresh();
      std::ostringstream text;
      text << name << " finished";
      if (seconds >= 0.0)
        text << " in " << std::fixed << std::setprecision(1) << seconds << " s";
      _counted_line(text.str());
    }

    void ProgressReport::failed(const std::string &name, const int exit_status, const std::string &message)
    {
      ++_failed;
      _counted_line(name + " failed with exit status " + std::to_string(exit_status) +
                    (message.empty() ? std::string() : ": " + message));
      refresh();
    }

    void ProgressReport::lost(const std::string &name, const std::string &reason)
    {
      ++_failed;
      _counted_line(name + " got no result: " + reason);
      refresh();
    }

    void ProgressReport::_counted_line(const std::string &text)
    {
      if (_terminal)
        {
          _out << "\r\033[K" << text << '\n';
          _line_open = false;
        }
      else
        _out << '[' << done() << '/' << _total << "] " << text << '\n';
      _out.flush();
    }

    void ProgressReport::refresh()
    {
      if (!_terminal)
        return;
      const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - _start).count();
      _out << "\r\033[K" << done() << " of " << _total << " done, " << _failed << " failed, " << _running
           << " running";
      if (done() > 0 && done() < _total)
        _out << ", about " << duration_text(elapsed / done() * (_total - done())) << " left";
      _out.flush();
      _line_open = true;
    }

    void ProgressReport::close()
    {
      if (_line_open)
        {
          refresh();
          _out << '\n';
        }
      _line_open = false;
      _out.flush();
    }
  } // namespace ensemble
} // namespace orr
