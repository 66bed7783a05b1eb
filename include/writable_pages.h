#ifndef ORR_WRITABLE_PAGES_H
#define ORR_WRITABLE_PAGES_H

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

namespace orr
{
  /**
   * Asks the system to provide the whole pages of [first, first + bytes) now, ready to be
   * written, so that the thread that fills them later does not stop at each new page: a
   * helper thread can take that cost off the thread that fills a large array. Pages that
   * are already there keep what they hold. Only a hint: where the system cannot do it,
   * nothing happens, and the pages come when they are first written, as always.
   */
  inline void provide_writable_pages(const void *const first, const std::size_t bytes)
  {
#ifdef MADV_POPULATE_WRITE
    const long page_size = ::sysconf(_SC_PAGESIZE);
    if (page_size <= 0)
      return;
    const auto          page  = static_cast<std::uintptr_t>(page_size);
    const auto          start = reinterpret_cast<std::uintptr_t>(first);
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t end   = (start + bytes) / page * page;
    if (begin < end)
      ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    static_cast<void>(first);
    static_cast<void>(bytes);
#endif
  }
} // namespace orr

#endif
