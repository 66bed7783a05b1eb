#include "local_runner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <map>
#include <sys/wait.h>

#include "child_process.h"
#include "interrupt_watch.h"
#include "run_folder.h"

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      using Clock = std::chrono::steady_clock;

      /** How long the ended processes get to go after SIGTERM before SIGKILL. */
      constexpr double GRACE_SECONDS = 5.0;
      /** How often the progress line is rewritten while nothing ends. */
      constexpr double REFRESH_SECONDS = 1.0;

      struct RunningQuill
      {
        std::string       name;
        Clock::time_point start;
      };

      /**
       * The quill processes started and not yet reaped. Whatever still runs when the object
       * goes (a stop, an exception) is ended and reaped, so none outlives this program.
       */
      class RunningSet
      {
      public:
        ~RunningSet() { end_all(); }

        std::map<pid_t, RunningQuill> processes;

        /** SIGTERM to each process group, SIGKILL to what is left after the grace time. */
        void end_all()
        {
          signal_all(SIGTERM);
          const Clock::time_point deadline =
            Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(GRACE_SECONDS));
          while (!processes.empty() && Clock::now() < deadline)
            if (!reap(true))
              usleep_briefly();
          signal_all(SIGKILL);
          while (!processes.empty())
            reap(false);
        }

      private:
        void signal_all(const int signal)
        {
          for (const auto &process : processes)
            kill(-process.first, signal);
        }

        /** Reaps one ended process; returns whether one was. */
        bool reap(const bool without_waiting)
        {
          int         status = 0;
          const pid_t pid    = waitpid(-1, &status, without_waiting ? WNOHANG : 0);
          if (pid > 0)
            processes.erase(pid);
          else if (pid < 0 && errno == ECHILD)
            processes.clear();
          return pid > 0;
        }

        static void usleep_briefly()
        {
          const timespec pause{0, 50000000};
          nanosleep(&pause, nullptr);
        }
      };
    } // namespace

    bool run_locally(const EnsembleFolder &ensemble, const std::vector<std::string> &names,
                     const std::string &quill, const unsigned jobs, ProgressReport &report)
    {
      InterruptWatch watch;
      RunningSet     running;
      std::size_t    next = 0;

      while (!watch.stop_requested() && (next < names.size() || !running.processes.empty()))
        {
          // (1) keep `jobs` quill processes busy
          while (running.processes.size() < jobs && next < names.size())
            {
              const std::string &name = names[next++];
              const pid_t        pid =
                start_in_folder({quill, ensemble.root_name(), "."}, ensemble.run_folder(name).string(),
                                QUILL_OUTPUT, QUILL_ERRORS);
              running.processes[pid] = RunningQuill{name, Clock::now()};
            }
          report.set_running(static_cast<unsigned>(running.processes.size()));
          report.refresh();

          // (2) sleep until one ends or a stop is asked for
          if (watch.wait(REFRESH_SECONDS))
            break;

          // (3) record every process that ended
          int   status = 0;
          pid_t pid    = 0;
          while ((pid = waitpid(-1, &status, WNOHANG)) > 0)
            {
              const auto process = running.processes.find(pid);
              if (process == running.processes.end())
                continue;
              const RunningQuill quill_run = process->second;
              running.processes.erase(process);
              const double seconds = std::chrono::duration<double>(Clock::now() - quill_run.start).count();
              const int    exit_status = shell_exit_status(status);
              const std::string message = write_exit_status(ensemble.run_folder(quill_run.name), exit_status);
              if (exit_status == 0)
                report.finished(quill_run.name, seconds);
              else
                report.failed(quill_run.name, exit_status, message);
            }
        }
      running.end_all();
      report.set_running(0);
      return !watch.stop_requested();
    }
  } // namespace ensemble
} // namespace orr
