// quill-ensemble: runs quill on every realisation of an ensemble, on this machine or as a
// Slurm job array, and collects the spread of the results.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include "ensemble_collect.h"
#include "ensemble_folder.h"
#include "ensemble_options.h"
#include "exclusive_file_lock.h"
#include "input_error.h"
#include "local_runner.h"
#include "progress_report.h"
#include "quill_program.h"
#include "run_folder.h"
#include "slurm_runner.h"

namespace
{
  using namespace orr::ensemble;

  /** Exit statuses beyond 0 (all done), 1 (faulty input) and 2 (any other failure). */
  constexpr int SOME_REALISATIONS_FAILED = 3;
  constexpr int STOPPED                  = 130;

  /** The realisations that have no finished result yet. */
  std::vector<std::string> realisations_to_run(const EnsembleFolder &ensemble)
  {
    std::vector<std::string> names;
    for (const RunRecord &record : read_run_records(ensemble))
      if (record.state != RunState::FINISHED)
        names.push_back(record.name);
    return names;
  }

  int run(const EnsembleOptions &options)
  {
    const EnsembleFolder ensemble(options.ensemble);
    // One quill-ensemble at a time per ensemble: two would start the same realisations, or
    // collect from runs still going.
    std::filesystem::create_directories(ensemble.runs_folder());
    const orr::quill::ExclusiveFileLock lock((ensemble.runs_folder() / "ensemble.lock").string(),
                                             std::chrono::milliseconds(0));
    if (!lock.held())
      throw orr::InputError("Error: another quill-ensemble is running on " + ensemble.path().string() + ".\n");
    if (options.command == EnsembleOptions::Command::COLLECT)
      {
        collect(ensemble, options.days, std::cout);
        return 0;
      }

    if (options.slurm)
      require_no_active_job(ensemble);
    const std::string              quill = quill_program(options.quill);
    const std::vector<std::string> names = realisations_to_run(ensemble);
    const std::size_t              total = ensemble.realisations().size();
    std::cout << names.size() << " of " << total << " realisations to run (" << total - names.size()
              << " finished already)" << std::endl;
    for (const std::string &name : names)
      prepare_run_folder(ensemble, name);

    if (!names.empty())
      {
        ProgressReport report(std::cout, isatty(STDOUT_FILENO) != 0, static_cast<unsigned>(names.size()));
        bool           completed = true;
        if (!options.slurm)
          {
            const unsigned jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
            completed           = run_locally(ensemble, names, quill, jobs, report);
          }
        else
          {
            const std::string job = submit_job_array(ensemble, names, quill, options.slurm_options);
            std::cout << "Submitted the Slurm job " << job << " (" << names.size() << " tasks)" << std::endl;
            if (!options.slurm_options.wait)
              {
                std::cout << job << std::endl;
                return 0;
              }
            completed = wait_for_job_array(ensemble, job, names, report);
            if (!completed)
              std::cout << "Cancelled the Slurm job " << job << "." << std::endl;
          }
        report.close();
        if (!completed)
          {
            std::cout << "Stopped with " << report.done() << " of " << names.size()
                      << " realisations done; run the same command again to go on." << std::endl;
            return STOPPED;
          }
      }

    const std::vector<std::string> unfinished = realisations_to_run(ensemble);
    if (unfinished.size() == total)
      {
        std::cout << "No realisation finished: nothing to collect." << std::endl;
        return SOME_REALISATIONS_FAILED;
      }
    collect(ensemble, options.days, std::cout);
    return unfinished.empty() ? 0 : SOME_REALISATIONS_FAILED;
  }
} // namespace

int main(int argc, char *argv[])
{
  try
    {
      return run(parse_command_line(std::vector<std::string>(argv + 1, argv + argc)));
    }
  catch (const orr::InputError &error)
    {
      std::cerr << error.what();
      return 1;
    }
  catch (const std::exception &error)
    {
      std::cerr << "Error: " << error.what() << '\n';
      return 2;
    }
}
