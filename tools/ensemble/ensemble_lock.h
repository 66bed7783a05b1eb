#ifndef QUILL_ENSEMBLE_LOCK_H
#define QUILL_ENSEMBLE_LOCK_H

#include "ensemble_folder.h"

namespace orr
{
  namespace ensemble
  {
    /**
     * Holds the lock file <ensemble>/runs/ensemble.lock while a run is under way, so that a
     * second quill-ensemble on the same ensemble does not start the same realisations again.
     * The lock goes with the object, or with the process however it ends.
     */
    class EnsembleLock
    {
    public:
      /** Throws orr::InputError when another process holds the lock. */
      explicit EnsembleLock(const EnsembleFolder &ensemble);
      ~EnsembleLock();

      EnsembleLock(const EnsembleLock &) = delete;
      EnsembleLock &operator=(const EnsembleLock &) = delete;

    private:
      int _descriptor;
    };
  } // namespace ensemble
} // namespace orr

#endif
