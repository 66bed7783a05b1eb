#ifndef QUILL_RESULT_SET_H
#define QUILL_RESULT_SET_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exclusive_file_lock.h"

namespace orr
{
  namespace quill
  {
    /**
     * The result files of one deck's root name in its run folder, held by one run at a time.
     *
     * A run takes the lock file "<directory><root>.lock" before it reads the deck and holds it
     * until its last file is in place, so two runs of one deck never mix their files. Runs of
     * other roots in the same folder go on side by side; they share only "well_prop.txt",
     * which each puts in place whole, so it is the summary of whichever run finished last.
     */
    class ResultSet
    {
    public:
      /**
       * directory: the run directory (ends in a separator); root_name: the deck's name
       * without ".fip".
       * Takes the lock, waiting a moment for another run of the same root to finish, then
       * removes the temporary files that killed runs of this root left behind.
       * Throws orr::InputError when another run still holds the lock, or with the missing-deck
       * text when the directory does not exist; std::runtime_error when the lock file cannot
       * be made.
       */
      ResultSet(const std::string &directory, const std::string &root_name);

      /** The path of the root's result file with that suffix (see result_file_names.h). */
      std::string path(const std::string &suffix) const;

      /** The path of the completion summary, and the stem of its temporary files. */
      std::string completion_summary_path() const;
      std::string completion_summary_temporary_stem() const;

      /**
       * Throws orr::InputError, naming `what` and both figures, when `bytes` are more than the
       * free space of the folder the results go to.
       */
      void require_free_space(std::uint64_t bytes, const std::string &what) const;

      /**
       * To be called before the first result is written. Removes the rate curve, which the
       * desktop program takes as the sign of a complete run, so that a run that stops part-way
       * is never taken for one; and every other result file of the root whose suffix is not in
       * `suffixes`, the files this run writes, so that none is left from an earlier run.
       * Throws std::runtime_error naming a file that cannot be removed.
       */
      void clear_earlier_results(const std::vector<std::string> &suffixes) const;

    private:
      /** Whether the file name belongs to this root (a result or a temporary of one). */
      bool _is_result(const std::string &file_name) const;
      bool _is_temporary(const std::string &file_name) const;

      std::string                      _directory;
      std::string                      _stem;
      std::string                      _folder;
      std::string                      _name;
      std::optional<ExclusiveFileLock> _lock;
    };
  } // namespace quill
} // namespace orr

#endif
