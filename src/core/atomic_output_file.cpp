#include "atomic_output_file.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace orr
{
  AtomicOutputFile::AtomicOutputFile(const std::string &path)
    : _path(path)
    , _temporary_path(path + ".tmp")
    , _stream(_temporary_path, std::ios::out | std::ios::trunc)
    , _committed(false)
  {}

  AtomicOutputFile::~AtomicOutputFile()
  {
    if (!_committed)
      {
        _stream.close();
        std::remove(_temporary_path.c_str());
      }
  }

  bool AtomicOutputFile::is_open() const
  {
    return _stream.is_open();
  }

  std::ofstream &AtomicOutputFile::stream()
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
    const bool written = _stream.good();
    _stream.close();
    if (!written || _stream.fail())
      throw std::runtime_error("Writing the file " + _path + " failed.");
    // std::filesystem::rename replaces an existing target on every platform; the C library's
    // rename refuses to on Windows, which would fail every run after the first.
    std::error_code renamed;
    std::filesystem::rename(_temporary_path, _path, renamed);
    if (renamed)
      throw std::runtime_error("The file " + _path + " could not be put in place.");
    _committed = true;
  }
} // namespace orr
