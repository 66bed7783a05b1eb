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

  bool FileDescriptorBuffer::_drain()
  {
    if (_error != 0)
      return false;
    const char *next = pbase();
    while (next < pptr())
      {
        const ssize_t written = ::write(_descriptor, next, static_cast<std::size_t>(pptr() - next));
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
    setp(_buffer.data(), _buffer.data() + _buffer.size());
    return true;
  }
} // namespace orr
