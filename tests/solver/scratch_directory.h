#ifndef QUILL_TESTS_SCRATCH_DIRECTORY_H
#define QUILL_TESTS_SCRATCH_DIRECTORY_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

/** A fresh directory under the system's temporary directory, removed with its contents. */
class ScratchDirectory
{
public:
  ScratchDirectory()
  {
    std::string name = (std::filesystem::temp_directory_path() / "quill_test_XXXXXX").string();
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
      throw std::runtime_error("cannot create a scratch directory");
    _path = buffer.data();
  }

  ~ScratchDirectory() { std::filesystem::remove_all(_path); }

  ScratchDirectory(const ScratchDirectory &) = delete;
  ScratchDirectory &operator=(const ScratchDirectory &) = delete;

  /** The directory, with a trailing "/" as quill's run directory has it. */
  std::string path() const { return _path + "/"; }

  void write(const std::string &name, const std::string &text) const
  {
    std::ofstream(_path + "/" + name, std::ios::binary) << text;
  }

  /** The text of the entry `name`; empty if it cannot be read. */
  std::string read(const std::string &name) const { return read_file(_path + "/" + name); }

  /** The text of the file at `path`; empty if it cannot be read. */
  static std::string read_file(const std::string &path)
  {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool exists(const std::string &name) const
  {
    return std::filesystem::exists(_path + "/" + name);
  }

  /** Names of the entries in the directory, sorted. */
  std::vector<std::string> entries() const
  {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(_path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

private:
  std::string _path;
};

#endif
