#ifndef QUILL_ENSEMBLE_SLURM_RUNNER_H
#define QUILL_ENSEMBLE_SLURM_RUNNER_H

#include <string>
#include <vector>

#include "ensemble_folder.h"
#include "ensemble_options.h"
#include "progress_report.h"

namespace orr
{
  namespace ensemble
  {
    /**
     * Throws orr::InputError when the Slurm job recorded in <ensemble>/runs/slurm_job (the
     * last one submitted for this ensemble) still has tasks queued or running: submitting
     * the same realisations again would run them twice.
     */
    void require_no_active_job(const EnsembleFolder &ensemble);

    /**
     * Submits the prepared run folders of `names` as one Slurm job array, one task per
     * realisation: writes the list of names (runs/slurm_tasks.txt) and the batch script
     * (runs/slurm_array.sh), which runs `quill` (an absolute path: nothing is built on the
     * nodes, which must see this folder and the program on a shared file system) in the
     * task's run folder and writes its exit_status as the local mode does. Records the job
     * id in runs/slurm_job and returns it.
     * Throws std::runtime_error with sbatch's own message when the submission fails.
     */
    std::string submit_job_array(const EnsembleFolder &ensemble, const std::vector<std::string> &names,
                                 const std::string &quill, const SlurmOptions &options);

    /**
     * Waits for the job array `job` to leave the queue, polling squeue, and tells `report`
     * of each realisation as its exit_status appears. Tasks that ended without one (time
     * limit, cancelled, node failure) are named with their state from sacct where the
     * cluster keeps accounting. Ctrl-C, SIGTERM or SIGHUP cancel the job (scancel) and make
     * it return false.
     * Throws std::runtime_error when squeue keeps failing.
     */
    bool wait_for_job_array(const EnsembleFolder &ensemble, const std::string &job,
                            const std::vector<std::string> &names, ProgressReport &report);
  } // namespace ensemble
} // namespace orr

#endif
