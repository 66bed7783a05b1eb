#include "slurm_runner.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

#include "atomic_output_file.h"
#include "child_process.h"
#include "input_error.h"
#include "interrupt_watch.h"
#include "run_folder.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      constexpr const char *JOB_FILE    = "slurm_job";
      constexpr const char *TASKS_FILE  = "slurm_tasks.txt";
      constexpr const char *SCRIPT_FILE = "slurm_array.sh";
      constexpr const char *LOG_FOLDER  = "slurm";

      /** How often squeue is asked; a scheduler is not to be hammered. */
      constexpr double POLL_SECONDS = 2.0;
      /** squeue failing this many times in a row (a minute) ends the wait. */
      constexpr int SQUEUE_FAILURES_ALLOWED = 30;

      /** `text` quoted for a POSIX shell. */
      std::string shell_quoted(const std::string &text)
      {
        std::string quoted = "'";
        for (const char c : text)
          quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
      }

      void write_whole_file(const fs::path &path, const std::string &text)
      {
        AtomicOutputFile file(path.string());
        if (!file.is_open())
          throw std::runtime_error("The file " + path.string() + " cannot be written.");
        file.stream() << text;
        file.commit();
      }

      std::string first_line(const std::string &text)
      {
        return text.substr(0, text.find('\n'));
      }

      /** The task ids of `job` that squeue still lists, with their states; throws when squeue fails. */
      bool queued_tasks(const std::string &job, std::map<std::string, std::string> &states, std::string &failure)
      {
        const CommandResult result = run_command({"squeue", "-h", "-r", "-j", job, "-o", "%K %T"});
        states.clear();
        if (result.exit_status != 0)
          {
            // A job that already left the controller's memory is no longer known at all.
            if (result.errors.find("Invalid job id") != std::string::npos)
              return true;
            failure = first_line(result.errors);
            return false;
          }
        std::istringstream lines(result.output);
        std::string        task;
        std::string        state;
        while (lines >> task >> state)
          states[task] = state;
        return true;
      }

      /** The final state of each task that sacct knows; empty where accounting is off. */
      std::map<std::string, std::string> accounted_states(const std::string &job)
      {
        std::map<std::string, std::string> states;
        const CommandResult result = run_command({"sacct", "-n", "-P", "-X", "-j", job, "-o", "JobID,State"});
        if (result.exit_status != 0)
          return states;
        std::istringstream lines(result.output);
        std::string        line;
        while (std::getline(lines, line))
          {
            const std::size_t underscore = line.find('_');
            const std::size_t bar        = line.find('|');
            if (underscore != std::string::npos && bar != std::string::npos && underscore < bar)
              states[line.substr(underscore + 1, bar - underscore - 1)] = line.substr(bar + 1);
          }
        return states;
      }
    } // namespace

    void require_no_active_job(const EnsembleFolder &ensemble)
    {
      std::ifstream recorded(ensemble.runs_folder() / JOB_FILE);
      std::string   job;
      if (!(recorded >> job))
        return;
      std::map<std::string, std::string> states;
      std::string                        failure;
      if (queued_tasks(job, states, failure) && states.empty())
        return;
      throw InputError("Error: the Slurm job " + job + " of this ensemble is still " +
                       (failure.empty() ? "queued or running" : "recorded and squeue cannot tell (" + failure + ")") +
                       "; wait for it or cancel it (scancel " + job + ").\n");
    }

    std::string submit_job_array(const EnsembleFolder &ensemble, const std::vector<std::string> &names,
                                 const std::string &quill, const SlurmOptions &options)
    {
      const fs::path runs = ensemble.runs_folder();
      fs::create_directories(runs / LOG_FOLDER);

      std::string tasks;
      for (const std::string &name : names)
        tasks += name + '\n';
      write_whole_file(runs / TASKS_FILE, tasks);

      // Task i runs the realisation on line i + 1 of the task list. The exit status and the
      // first non-empty line of standard error are recorded as the local mode records them.
      const std::string script =
        "#!/bin/sh\n"
        "# Written by quill-ensemble: one task of the job array runs quill on one realisation.\n"
        "name=$(sed -n \"$((SLURM_ARRAY_TASK_ID + 1))p\" " + shell_quoted((runs / TASKS_FILE).string()) + ")\n"
        "cd " + shell_quoted(runs.string()) + "/\"$name\" || exit 1\n" +
        shell_quoted(quill) + " " + shell_quoted(ensemble.root_name()) + " . >" + QUILL_OUTPUT + " 2>" +
        QUILL_ERRORS + "\n"
        "status=$?\n"
        "{ echo \"$status\"; grep -m 1 . " + QUILL_ERRORS + " || true; } >" + EXIT_STATUS_FILE + ".tmp && mv " +
        EXIT_STATUS_FILE + ".tmp " + EXIT_STATUS_FILE + "\n"
        "exit $status\n";
      write_whole_file(runs / SCRIPT_FILE, script);
      chmod((runs / SCRIPT_FILE).c_str(), 0755);

      std::string array = "--array=0-" + std::to_string(names.size() - 1);
      if (options.max_running > 0)
        array += "%" + std::to_string(options.max_running);
      std::vector<std::string> command = {"sbatch", "--parsable", array,
                                          "--job-name=quill-" + ensemble.root_name(),
                                          "--output=" + (runs / LOG_FOLDER / "%A_%a.out").string(),
                                          "--chdir=" + runs.string()};
      if (!options.partition.empty())
        command.push_back("--partition=" + options.partition);
      if (!options.time_limit.empty())
        command.push_back("--time=" + options.time_limit);
      command.push_back((runs / SCRIPT_FILE).string());

      const CommandResult result = run_command(command);
      const std::string   job    = first_line(result.output).substr(0, result.output.find(';'));
      if (result.exit_status != 0 || job.empty())
        throw std::runtime_error("sbatch refused the job array" +
                                 (result.errors.empty() ? std::string(".") : ": " + first_line(result.errors)));
      write_whole_file(runs / JOB_FILE, job + '\n');
      return job;
    }

    bool wait_for_job_array(const EnsembleFolder &ensemble, const std::string &job,
                            const std::vector<std::string> &names, ProgressReport &report)
    {
      InterruptWatch        watch;
      std::set<std::size_t> reported;
      int                   squeue_failures = 0;

      // Tells `report` of each realisation whose exit_status has appeared.
      const auto report_new_results = [&]() {
        for (std::size_t task = 0; task < names.size(); ++task)
          {
            std::error_code error;
            if (reported.count(task) > 0 || !fs::exists(ensemble.run_folder(names[task]) / EXIT_STATUS_FILE, error))
              continue;
            const RunRecord record = read_run_record(ensemble, names[task]);
            if (record.state == RunState::FINISHED)
              report.finished(names[task], -1.0);
            else if (record.state == RunState::FAILED)
              report.failed(names[task], record.exit_status, record.message);
            else
              continue;
            reported.insert(task);
          }
      };

      while (true)
        {
          std::map<std::string, std::string> states;
          std::string                        failure;
          if (!queued_tasks(job, states, failure))
            {
              if (++squeue_failures >= SQUEUE_FAILURES_ALLOWED)
                throw std::runtime_error("squeue keeps failing: " + failure);
            }
          else
            squeue_failures = 0;

          unsigned running = 0;
          for (const auto &state : states)
            running += state.second == "RUNNING" ? 1 : 0;
          report.set_running(running);
          report_new_results();
          report.refresh();
          if (squeue_failures == 0 && states.empty())
            break;

          if (watch.wait(POLL_SECONDS))
            {
              run_command({"scancel", job});
              report.close();
              return false;
            }
        }

      // Tasks that left the queue without an exit_status never finished quill.
      const std::map<std::string, std::string> accounted = accounted_states(job);
      for (std::size_t task = 0; task < names.size(); ++task)
        {
          if (reported.count(task) > 0)
            continue;
          const std::string id    = std::to_string(task);
          const auto        state = accounted.find(id);
          const std::string log   = (ensemble.runs_folder() / LOG_FOLDER / (job + "_" + id + ".out")).string();
          report.lost(names[task], "the Slurm task " + job + "_" + id +
                                     (state != accounted.end() ? " ended as " + state->second : " ended") +
                                     " without recording quill's exit (see " + log + ")");
        }
      report.set_running(0);
      return true;
    }
  } // namespace ensemble
} // namespace orr
