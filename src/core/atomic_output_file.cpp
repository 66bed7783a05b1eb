#include "atomic_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <system_error>

namespace orr
{
  namespace
  {
    constexpr char        TEMPORARY_SUFFIX[] = ".tmp";
    constexpr std::size_t RANDOM_LETTERS     = 6;
    // Names already taken are tried again; only a folder crowded with temporaries runs out.
    constexpr int NAME_ATTEMPTS = 100;

    std::string random_letters()
    {
      static constexpr char ALPHABET[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
      std::random_device                 source;
      std::uniform_int_distribution<int> pick(0, sizeof(ALPHABET) - 2);
      std::string                        letters;
      for (std::size_t i = 0; i < RANDOM_LETTERS; ++i)
        letters += ALPHABET[pick(source)];
      return letters;
    }

    /** Creates a new file "<stem>.XXXXXX.tmp"; sets `path` to its name. -1 if none could be made. */
    int create_temporary_file(const std::string &stem, std::string &path)
    {
      for (int attempt = 0; attempt < NAME_ATTEMPTS; ++attempt)
        {
          path = stem + "." + random_letters() + TEMPORARY_SUFFIX;
          const int descriptor =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
          if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
        }
      return -1;
    }

    std::string reason(const int error)
    {
      return std::system_category().message(error);
    }

    bool swap_files(const std::string &first, const std::string &second)
    {
      return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0;
    }

    /**
     * Puts the file at `from` in place at `to`, replacing the file or link there, in one step
     * and without following a link; returns 0, or the reason it failed.
     *
     * A file found at `to` is swapped out to `from` and removed there. Renaming straight onto
     * it would make ext4 start writing the new file to disk at once, which holds a run up for a
     * quarter of a second per 400 MB of results; the kernel writes the file in its own time
     * instead, as on any other file system. Where nothing is at `to`, or the file system cannot
     * swap, the file is renamed.
     */
    int put_in_place(const std::string &from, const std::string &to)
    {
      struct stat found;
      const bool  file_found = ::lstat(to.c_str(), &found) == 0 && !S_ISDIR(found.st_mode);
      if (!file_found || !swap_files(from, to))
        return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
      if (::unlink(from.c_str()) == 0)
        return 0;
      // Something other than a file was swapped out after all: it goes back.
      const int error = errno;
      swap_files(from, to);
      return error;
    }
  } // namespace

  AtomicOutputFile::AtomicOutputFile(const std::string &path, const std::string &temporary_stem)
    : _path(path)
    , _descriptor(create_temporary_file(temporary_stem.empty() ? path : temporary_stem,
                                        _temporary_path))
    , _buffer(_descriptor >= 0 ? std::make_unique<FileDescriptorBuffer>(_descriptor) : nullptr)
    , _stream(_buffer.get())
    , _committed(false)
  {}

  AtomicOutputFile::~AtomicOutputFile()
  {
    if (_descriptor >= 0)
      ::close(_descriptor);
    if (_descriptor >= 0 && !_committed)
      ::unlink(_temporary_path.c_str());
  }

  bool AtomicOutputFile::is_open() const
  {
    return _descriptor >= 0;
  }

  std::ostream &AtomicOutputFile::stream()
  {
    return _stream;
  }

  const std::string &AtomicOutputFile::path() const
  {
    return _path;
  }

  void AtomicOutputFile::commit()
  {
    _stream.flush();
    int error = _buffer ? _buffer->error() : EBADF;
    if (error == 0 && !_stream)
      error = EIO;
    // Some file systems report a failed write only when the file is closed.
    const int descriptor = _descriptor;
    _descriptor          = -1;
    if (::close(descriptor) != 0 && error == 0)
      error = errno;
    if (error != 0)
      {
        ::unlink(_temporary_path.c_str());
        throw std::runtime_error("Writing the file " + _path + " failed: " + reason(error) + ".");
      }
    error = put_in_place(_temporary_path, _path);
    if (error != 0)
      {
        ::unlink(_temporary_path.c_str());
        throw std::runtime_error("The file " + _path + " could not be put in place: " + reason(error) + ".");
      }
    _committed = true;
  }

  std::string AtomicOutputFile::stem_of_temporary(const std::string &file_name)
  {
    const std::size_t suffix  = sizeof(TEMPORARY_SUFFIX) - 1;
    const std::size_t tail    = 1 + RANDOM_LETTERS + suffix;
    if (file_name.size() <= tail)
      return "";
    const std::size_t letters = file_name.size() - RANDOM_LETTERS - suffix;
    const bool        named   = file_name[letters - 1] == '.'
                       && std::all_of(file_name.begin() + letters, file_name.end() - suffix,
                                      [](const unsigned char c) { return std::isalnum(c) != 0; })
                       && file_name.compare(file_name.size() - suffix, suffix, TEMPORARY_SUFFIX) == 0;
    return named ? file_name.substr(0, file_name.size() - tail) : "";
  }
} // namespace orr
