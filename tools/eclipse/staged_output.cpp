#include "staged_output.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace orr
{
  namespace eclipse
  {
    namespace fs = std::filesystem;

    StagedOutput::StagedOutput(std::string directory)
      : _directory(std::move(directory))
    {}

    StagedOutput::~StagedOutput()
    {
      if (!_staging_directory.empty())
      {
        std::error_code ignored;
        fs::remove_all(_staging_directory, ignored);
      }
    }

    std::ostream &StagedOutput::text(const std::string &file_name)
    {
      const std::string path = (fs::path(_directory) / file_name).string();
      _text_files.push_back(std::make_unique<AtomicOutputFile>(path));
      if (!_text_files.back()->is_open())
        throw std::runtime_error("The file " + path + " cannot be written.");
      return _text_files.back()->stream();
    }

    const std::string &StagedOutput::staging_directory()
    {
      if (_staging_directory.empty())
      {
        // Hidden, per process: two runs into one directory never share it.
        const fs::path staging =
          fs::path(_directory) / (".quill-staging-" + std::to_string(::getpid()));
        std::error_code failed;
        fs::create_directory(staging, failed);
        if (failed)
          throw std::runtime_error("The directory " + staging.string()
                                   + " cannot be created: " + failed.message());
        _staging_directory = staging.string();
      }
      return _staging_directory;
    }

    void StagedOutput::expect(const std::string &file_name, Check check)
    {
      _library_files.push_back({file_name, check});
    }

    void StagedOutput::commit()
    {
      // (1) every file whole, before any target changes
      for (const auto &file : _text_files)
      {
        file->stream().flush();
        if (!file->stream().good())
          throw std::runtime_error("Writing the file " + file->path() + " failed.");
      }
      for (const LibraryFile &file : _library_files)
      {
        const std::string written = (fs::path(_staging_directory) / file.file_name).string();
        if (!fs::is_regular_file(written))
          throw std::runtime_error("The file " + file.file_name + " was not written.");
        if (file.check)
          file.check(written);
      }
      // (2) then all of them into place
      for (const auto &file : _text_files)
        file->commit();
      for (const LibraryFile &file : _library_files)
      {
        std::error_code failed;
        fs::rename(fs::path(_staging_directory) / file.file_name,
                   fs::path(_directory) / file.file_name, failed);
        if (failed)
          throw std::runtime_error("The file " + (fs::path(_directory) / file.file_name).string()
                                   + " could not be put in place: " + failed.message());
      }
    }
  } // namespace eclipse
} // namespace orr
