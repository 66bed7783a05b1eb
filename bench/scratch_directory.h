#ifndef ORR_BENCH_SCRATCH_DIRECTORY_H
#define ORR_BENCH_SCRATCH_DIRECTORY_H

#include <string>

namespace orr
{
  namespace bench
  {
    /**
     * A fresh directory under $TMPDIR (else /tmp) for the decks and result files of one
     * benchmark, removed with everything in it when the object goes.
     */
    class ScratchDirectory
    {
    public:
      /** Throws std::runtime_error when the directory cannot be created. */
      ScratchDirectory();
      ~ScratchDirectory();

      ScratchDirectory(const ScratchDirectory &) = delete;
      ScratchDirectory &operator=(const ScratchDirectory &) = delete;

      /** The directory's path, ending in "/". */
      const std::string &path() const { return _path; }

    private:
      std::string _path;
    };
  } // namespace bench
} // namespace orr

#endif
