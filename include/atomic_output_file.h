#ifndef ORR_ATOMIC_OUTPUT_FILE_H
#define ORR_ATOMIC_OUTPUT_FILE_H

#include <fstream>
#include <string>

namespace orr
{
  /**
   * A result file that appears whole or not at all.
   *
   * The text is written to a temporary file beside the target ("<path>.tmp"); `commit`
   * flushes it and renames it onto the target. If the object is destroyed without a
   * successful `commit` (an exception part-way through writing, a full disk), the
   * temporary file is removed and any earlier file at the target is left untouched.
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
    explicit AtomicOutputFile(const std::string &path);
    ~AtomicOutputFile();

    AtomicOutputFile(const AtomicOutputFile &) = delete;
    AtomicOutputFile &operator=(const AtomicOutputFile &) = delete;

    /** True when the temporary file could be created. */
    bool is_open() const;

    /** The stream to write the file's text to. */
    std::ofstream &stream();

    /** Target path given at construction. */
    const std::string &path() const;

    /**
     * Flushes and closes the temporary file and renames it onto the target path.
     * Throws std::runtime_error naming the target if writing or renaming failed.
     */
    void commit();

  private:
    std::string   _path;
    std::string   _temporary_path;
    std::ofstream _stream;
    bool          _committed;
  };
} // namespace orr

#endif
