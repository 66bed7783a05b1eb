#ifndef ORR_FUZZ_INPUT_FILES_H
#define ORR_FUZZ_INPUT_FILES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

/**
 * The files of one fuzz input, written into a private scratch directory that lives as long as
 * the fuzzing process.
 *
 * A fuzz input is a main file followed by up to MAX_INCLUDED_FILES included files, each after
 * a line "%%": "DIMENS\n2 1 1\nPORO\nINCLUDE\n1.inc\n%%\n0.1 0.2\n" is a deck and its file
 * "1.inc". The included files are always named "1.inc", "2.inc", ...; a
 * file the input does not give is absent, so that a name it refers to cannot be opened.
 */
class FuzzInputFiles
{
public:
  static constexpr std::size_t MAX_INCLUDED_FILES = 8;
  static constexpr const char *SEPARATOR = "\n%%\n";

  /** main_name: the name of the main file inside the directory. */
  explicit FuzzInputFiles(std::string main_name)
    : _main_name(std::move(main_name))
  {
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/orr_fuzz_XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
      throw std::runtime_error("cannot create the fuzzing scratch directory");
    _directory = std::string(buffer.data()) + "/";
  }

  ~FuzzInputFiles()
  {
    for (std::size_t part = 0; part <= MAX_INCLUDED_FILES; ++part)
      std::remove((part == 0 ? main_path() : included_path(part)).c_str());
    std::remove(_directory.c_str());
  }

  FuzzInputFiles(const FuzzInputFiles &) = delete;
  FuzzInputFiles &operator=(const FuzzInputFiles &) = delete;

  /** The directory, ending in "/". */
  const std::string &directory() const { return _directory; }

  /** The path of the main file. */
  std::string main_path() const { return _directory + _main_name; }

  /** Replaces the files of the previous input with those of data. */
  void write(const std::uint8_t *data, std::size_t size) const
  {
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::string separator = SEPARATOR;
    std::size_t begin = 0;
    for (std::size_t part = 0; part <= MAX_INCLUDED_FILES; ++part)
      {
        const std::string path = part == 0 ? main_path() : included_path(part);
        if (begin == std::string::npos)
          {
            std::remove(path.c_str());
            continue;
          }
        const std::size_t end =
          part == MAX_INCLUDED_FILES ? std::string::npos : input.find(separator, begin);
        // The line break that starts the separator still ends this file's last line.
        const std::string text =
          end == std::string::npos ? input.substr(begin) : input.substr(begin, end - begin + 1);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        begin = end == std::string::npos ? std::string::npos : end + separator.size();
      }
  }

private:
  std::string included_path(std::size_t part) const
  {
    return _directory + std::to_string(part) + ".inc";
  }

  std::string _main_name;
  std::string _directory;
};

#endif
