#include "file_descriptor_buffer.h"

#include <unistd.h>

#include <cerrno>

namespace orr
{
  FileDescriptorBuffer::FileDescriptorBuffer(const int descriptor, const std::size_t capacity)
    : _descriptor(descriptor)
    , _buffer(capacity)
    , _error(0)
  {
    setp(_buffer.data(), _buffer.data() + _buffer.size());
  }

  FileDescriptorBuffer::int_type FileDescriptorBuffer::overflow(const int_type c)
  {
    if (!_drain())
      return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
      {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
      }
    return traits_type::not_eof(c);
  }

  int FileDescriptorBuffer::sync()
  {
    return _drain() ? 0 : -1;
  }

  std::streamsize FileDescriptorBuffer::xsputn(const char *const text, const std::streamsize count)
  {
    const std::size_t size = static_cast<std::size_t>(count);
    if (size > static_cast<std::size_t>(epptr() - pptr()))
      {
        if (!_drain())
          return 0;
        if (size >= _buffer.size())
          return _write(text, size) ? count : 0;
      }
    traits_type::copy(pptr(), text, size);
    pbump(static_cast<int>(count));
    return count;
  }

  bool FileDescriptorBuffer::_drain()
  {
    if (!_write(pbase(), static_cast<std::size_t>(pptr() - pbase())))
      return false;
    setp(_buffer.data(), _buffer.data() + _buffer.size());
    return true;
  }

  bool FileDescriptorBuffer::_write(const char *const text, const std::size_t count)
  {
    if (_error != 0)
      return false;
    const char *next = text;
    const char *const end = text + count;
    while (next < end)
      {
        const ssize_t written = ::write(_descriptor, next, static_cast<std::size_t>(end - next));
        if (written < 0 && errno == EINTR)
          continue;
        if (written <= 0)
          {
            // write returns 0 only for a request of 0 bytes; treat it as no space left.
            _error = written < 0 ? errno : ENOSPC;
            return false;
          }
        next += written;
      }
    return true;
  }
} // namespace orr
