#include "exclusive_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

namespace orr
{
  namespace quill
  {
    namespace
    {
      constexpr std::chrono::milliseconds RETRY_INTERVAL(50);

      /** Whether the open descriptor is still the file at path (not removed or replaced). */
      bool still_at_path(const int descriptor, const std::string &path)
      {
        struct stat opened, named;
        return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0
               && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
      }

      /** Locks the descriptor, trying until give_up: 0, EWOULDBLOCK when still held, or errno. */
      int lock_before(const int descriptor, const std::chrono::steady_clock::time_point give_up)
      {
        while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0)
          {
            if (errno != EWOULDBLOCK && errno != EINTR)
              return errno;
            if (std::chrono::steady_clock::now() >= give_up)
              return EWOULDBLOCK;
            std::this_thread::sleep_for(RETRY_INTERVAL);
          }
        return 0;
      }
    } // namespace

    ExclusiveFileLock::ExclusiveFileLock(std::string path, const std::chrono::milliseconds patience)
      : _path(std::move(path))
      , _descriptor(-1)
    {
      const auto give_up = std::chrono::steady_clock::now() + patience;
      while (true)
        {
          const int descriptor = ::open(_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
          if (descriptor < 0)
            throw std::system_error(errno, std::system_category(), _path);
          const int outcome = lock_before(descriptor, give_up);
          if (outcome == 0 && still_at_path(descriptor, _path))
            {
              _descriptor = descriptor;
              return;
            }
          ::close(descriptor);
          if (outcome == EWOULDBLOCK)
            return;
          if (outcome != 0)
            throw std::system_error(outcome, std::system_category(), _path);
          // The holder we waited for removed the file as it let go: lock the next one.
        }
    }

    ExclusiveFileLock::~ExclusiveFileLock()
    {
      if (_descriptor < 0)
        return;
      // Removed while still locked, so that no one can lock the old file after us.
      ::unlink(_path.c_str());
      ::close(_descriptor);
    }
  } // namespace quill
} // namespace orr
