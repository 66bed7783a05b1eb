#ifndef QUILL_ENSEMBLE_LOCAL_RUNNER_H
#define QUILL_ENSEMBLE_LOCAL_RUNNER_H

#include <string>
#include <vector>

#include "ensemble_folder.h"
#include "progress_report.h"

namespace orr
{
  namespace ensemble
  {
    /**
     * Runs quill in the prepared run folders of `names` on this machine, `jobs` at a time,
     * writing each one's exit_status when it ends and telling `report`.
     *
     * Ctrl-C, SIGTERM or SIGHUP stop it: the running quill processes are ended (SIGTERM, then
     * SIGKILL after a few seconds) and get no exit_status, so a later run starts them again;
     * finished runs stay as they are.
     *
     * quill: absolute path of the quill program. Returns false when stopped that way.
     * Throws std::runtime_error when a process cannot be made or a record cannot be written
     * (after ending the running processes).
     */
    bool run_locally(const EnsembleFolder &ensemble, const std::vector<std::string> &names,
                     const std::string &quill, unsigned jobs, ProgressReport &report);
  } // namespace ensemble
} // namespace orr

#endif
