#ifndef QUILL_EXCLUSIVE_FILE_LOCK_H
#define QUILL_EXCLUSIVE_FILE_LOCK_H

#include <chrono>
#include <string>

namespace orr
{
  namespace quill
  {
    /**
     * An advisory lock (flock) that one process at a time holds on a lock file, released
     * when the object goes or the process ends, however it ends.
     *
     * The lock file exists only while the lock is held: the holder removes it before letting
     * go, and a process that finds it has locked a file no longer at the path (removed by
     * the holder it waited for) starts again. A file left by a killed process is simply
     * taken over. A symbolic link at the path is never followed.
     */
    class ExclusiveFileLock
    {
    public:
      /**
       * path: the lock file, created with mode 0644 less the umask if missing.
       * patience: how long to wait for another holder to let go.
       * Throws std::system_error when the lock file cannot be created or opened.
       */
      ExclusiveFileLock(std::string path, std::chrono::milliseconds patience);
      ~ExclusiveFileLock();

      ExclusiveFileLock(const ExclusiveFileLock &) = delete;
      ExclusiveFileLock &operator=(const ExclusiveFileLock &) = delete;

      /** False when another process held the lock for all of the patience given. */
      bool held() const { return _descriptor >= 0; }

    private:
      std::string _path;
      int         _descriptor;
    };
  } // namespace quill
} // namespace orr

#endif
