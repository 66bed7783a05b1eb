#include "atomic_output_file.h"

#include <fcntl.h>
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
    // rename replaces the target, file or link, in one step, and never follows a link.
    if (std::rename(_temporary_path.c_str(), _path.c_str()) != 0)
      {
        error = errno;
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
