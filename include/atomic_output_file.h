#ifndef ORR_ATOMIC_OUTPUT_FILE_H
#define ORR_ATOMIC_OUTPUT_FILE_H

#include <memory>
#include <ostream>
#include <string>

#include "file_descriptor_buffer.h"

namespace orr
{
  /**
   * A result file that appears whole or not at all, and only where it is meant to.
   *
   * The text is written to a temporary file created fresh beside the target, under a name
   * no other file has: "<stem>.XXXXXX.tmp", six random letters and digits, opened with
   * O_CREAT | O_EXCL | O_NOFOLLOW and mode 0644 less the umask. No existing file and no
   * symbolic link is ever opened for writing. `commit` writes the text out and renames the
   * temporary file onto the target, which replaces the file or link found there (a link's
   * target is never touched). If the object is destroyed without a successful `commit` (an
   * exception part-way through writing, a full disk), the temporary file is removed and any
   * earlier file at the target is left as it was.
   *
   * Usage:
   *   orr::AtomicOutputFile out(path);
   *   if (!out.is_open()) throw ...;          // the caller reports its own error
   *   out.stream() << ...;
   *   out.commit();                           // throws std::runtime_error on failure
   */
  class AtomicOutputFile
  {
  public:
    /**
     * path: the target. temporary_stem: names the temporary file ("<temporary_stem>.XXXXXX.tmp",
     * in the target's directory); by default the target's path. A file that several result
     * sets write gives each set a stem of its own, so that each clears only its own leftovers.
     */
    explicit AtomicOutputFile(const std::string &path, const std::string &temporary_stem = "");
    ~AtomicOutputFile();

    AtomicOutputFile(const AtomicOutputFile &) = delete;
    AtomicOutputFile &operator=(const AtomicOutputFile &) = delete;

    /** True when the temporary file could be created. */
    bool is_open() const;

    /** The stream to write the file's text to. */
    std::ostream &stream();

    /** Target path given at construction. */
    const std::string &path() const;

    /**
     * Writes out and closes the temporary file and renames it onto the target path.
     * Throws std::runtime_error naming the target and the system's reason if writing or
     * renaming failed.
     */
    void commit();

    /**
     * The stem of the temporary file named `file_name` ("<stem>.XXXXXX.tmp", no directory),
     * or "" when the name is not one. A process killed while writing leaves such a file.
     */
    static std::string stem_of_temporary(const std::string &file_name);

  private:
    std::string                           _path;
    std::string                           _temporary_path;
    int                                   _descriptor;
    std::unique_ptr<FileDescriptorBuffer> _buffer;
    std::ostream                          _stream;
    bool                                  _committed;
  };
} // namespace orr

#endif
