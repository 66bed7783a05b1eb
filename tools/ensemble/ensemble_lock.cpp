#include "ensemble_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

#include "input_error.h"

namespace orr
{
  namespace ensemble
  {
    EnsembleLock::EnsembleLock(const EnsembleFolder &ensemble)
    {
      std::filesystem::create_directories(ensemble.runs_folder());
      const std::string path = (ensemble.runs_folder() / "ensemble.lock").string();
      _descriptor            = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
      if (_descriptor < 0)
        throw std::runtime_error("The lock file " + path + " cannot be opened: " + std::strerror(errno));
      if (flock(_descriptor, LOCK_EX | LOCK_NB) != 0)
        {
          close(_descriptor);
          throw InputError("Error: another quill-ensemble is running on " + ensemble.path().string() + ".\n");
        }
    }

    EnsembleLock::~EnsembleLock()
    {
      close(_descriptor);
    }
  } // namespace ensemble
} // namespace orr
