#include "result_set.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "atomic_output_file.h"
#include "deck_reader.h"
#include "input_error.h"
#include "machine_resources.h"
#include "result_file_names.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      /** Long enough for a run that is putting its last files in place to finish. */
      constexpr std::chrono::milliseconds LOCK_PATIENCE(1000);

      const std::string LOCK_SUFFIX = ".lock";

      /** The folder of a path and the file name in it ("runs/case" gives "runs/" and "case"). */
      void split_path(const std::string &path, std::string &folder, std::string &name)
      {
        const std::filesystem::path split(path);
        folder = split.parent_path().empty() ? "./" : split.parent_path().string() + "/";
        name   = split.filename().string();
      }

      /** The entries of the folder that are not directories. */
      std::vector<std::string> file_names_in(const std::string &folder)
      {
        std::vector<std::string> names;
        for (const std::filesystem::directory_entry &entry : std::filesystem::directory_iterator(folder))
          if (!entry.is_directory() || entry.is_symlink())
            names.push_back(entry.path().filename().string());
        return names;
      }
    } // namespace

    ResultSet::ResultSet(const std::string &directory, const std::string &root_name)
      : _directory(directory)
      , _stem(directory + root_name)
    {
      split_path(_stem, _folder, _name);
      try
        {
          _lock.emplace(_stem + LOCK_SUFFIX, LOCK_PATIENCE);
        }
      catch (const std::system_error &error)
        {
          // No folder, so no deck in it either.
          if (error.code().value() == ENOENT || error.code().value() == ENOTDIR)
            throw InputError(MISSING_DECK_TEXT);
          throw std::runtime_error("Error: The lock file " + _stem + LOCK_SUFFIX
                                   + " cannot be made: " + error.code().message() + "!");
        }
      if (!_lock->held())
        throw InputError("\nError: another quill run is writing the results of " + _stem
                         + ".fip!\n");

      // Only runs of this root write these temporaries, and they wait for the lock we hold.
      for (const std::string &name : file_names_in(_folder))
        if (_is_temporary(name))
          ::unlink((_folder + name).c_str());
    }

    std::string ResultSet::path(const std::string &suffix) const
    {
      return _stem + suffix;
    }

    std::string ResultSet::completion_summary_path() const
    {
      return _directory + result_files::COMPLETION_SUMMARY;
    }

    std::string ResultSet::completion_summary_temporary_stem() const
    {
      return _stem + "_" + result_files::COMPLETION_SUMMARY;
    }

    void ResultSet::require_free_space(const std::uint64_t bytes, const std::string &what) const
    {
      const std::uint64_t free = free_disk_bytes(_folder);
      if (bytes > free)
        throw InputError("\nError: " + what + " need about " + bytes_text(bytes) + ", more than the "
                         + bytes_text(free) + " free in " + _folder + "!\n");
    }

    void ResultSet::clear_earlier_results(const std::vector<std::string> &suffixes) const
    {
      for (const std::string &name : file_names_in(_folder))
        {
          if (!_is_result(name))
            continue;
          const std::string suffix = name.substr(_name.size());
          if (suffix != result_files::RATE_CURVE
              && std::find(suffixes.begin(), suffixes.end(), suffix) != suffixes.end())
            continue;
          if (::unlink((_folder + name).c_str()) == 0 || errno == ENOENT)
            continue;
          const int error = errno;
          throw std::runtime_error("The earlier result file " + _folder + name + " could not be removed: "
                                   + std::system_category().message(error) + ".");
        }
    }

    bool ResultSet::_is_result(const std::string &file_name) const
    {
      return file_name.compare(0, _name.size(), _name) == 0
             && result_files::is_result(file_name.substr(std::min(_name.size(), file_name.size())));
    }

    bool ResultSet::_is_temporary(const std::string &file_name) const
    {
      const std::string stem = AtomicOutputFile::stem_of_temporary(file_name);
      return !stem.empty()
             && (_is_result(stem) || stem == _name + "_" + result_files::COMPLETION_SUMMARY);
    }
  } // namespace quill
} // namespace orr
