#ifndef ORR_FILE_DESCRIPTOR_BUFFER_H
#define ORR_FILE_DESCRIPTOR_BUFFER_H

#include <cstddef>
#include <streambuf>
#include <vector>

namespace orr
{
  /**
   * An output stream buffer over an open file descriptor: text is gathered in a buffer of
   * its own and handed to `write` when the buffer is full or the stream is flushed. A piece
   * of text at least as large as the buffer goes to `write` as it is, after what the buffer
   * holds: a writer that formats large blocks makes one `write` call per block.
   *
   * A write that fails (a full disk, the file-size limit) makes the stream fail, and every
   * later write with it; `error` then tells why. The descriptor stays the caller's to close.
   */
  class FileDescriptorBuffer : public std::streambuf
  {
  public:
    /** descriptor: open for writing; capacity: bytes gathered before each write. */
    explicit FileDescriptorBuffer(int descriptor, std::size_t capacity = 64 * 1024);

    FileDescriptorBuffer(const FileDescriptorBuffer &) = delete;
    FileDescriptorBuffer &operator=(const FileDescriptorBuffer &) = delete;

    /** The errno value of the first failed write, 0 while every write succeeded. */
    int error() const { return _error; }

  protected:
    int_type        overflow(int_type c) override;
    int             sync() override;
    std::streamsize xsputn(const char *text, std::streamsize count) override;

  private:
    /** Writes out what the buffer holds; false once a write has failed. */
    bool _drain();
    /** Writes `count` bytes of `text` to the descriptor; false once a write has failed. */
    bool _write(const char *text, std::size_t count);

    int               _descriptor;
    std::vector<char> _buffer;
    int               _error;
  };
} // namespace orr

#endif
