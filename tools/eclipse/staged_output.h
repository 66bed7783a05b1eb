#ifndef QUILL_ECLIPSE_STAGED_OUTPUT_H
#define QUILL_ECLIPSE_STAGED_OUTPUT_H

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "atomic_output_file.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * The output files of one tool run, in one directory, that appear together or not at all.
     *
     * Text files are written through `text`, each under a temporary name beside its target.
     * Files that a library writes itself go into a staging directory inside the target
     * directory (`staging_directory`), under their final names, and are announced with
     * `expect`. `commit` checks every file and only then moves them all onto their targets; a
     * set destroyed without a successful commit removes what it staged, so earlier files at
     * the targets stay as they were.
     */
    class StagedOutput
    {
    public:
      /** Files check themselves: a check throws when the file it is given is not whole. */
      using Check = void (*)(const std::string &written_path);

      /** directory: where the files end up; it must exist. */
      explicit StagedOutput(std::string directory);
      ~StagedOutput();

      StagedOutput(const StagedOutput &) = delete;
      StagedOutput &operator=(const StagedOutput &) = delete;

      /**
       * The stream of a new text file named file_name in the directory. Throws
       * std::runtime_error naming the file if its temporary file cannot be created.
       */
      std::ostream &text(const std::string &file_name);

      /** The directory a library writes its files into; created on first use. */
      const std::string &staging_directory();

      /** A library wrote file_name into the staging directory; check it before the move. */
      void expect(const std::string &file_name, Check check);

      /** Checks and moves every file; throws std::runtime_error naming the first failure. */
      void commit();

    private:
      struct LibraryFile
      {
        std::string file_name;
        Check       check;
      };

      std::string                                    _directory;
      std::string                                    _staging_directory;
      std::vector<std::unique_ptr<AtomicOutputFile>> _text_files;
      std::vector<LibraryFile>                       _library_files;
    };
  } // namespace eclipse
} // namespace orr

#endif
