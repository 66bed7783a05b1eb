#ifndef ORR_LARGE_TABLE_ALLOCATOR_H
#define ORR_LARGE_TABLE_ALLOCATOR_H

#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orr
{
  /**
   * Allocator for tables of one entry per grid cell that are read in no particular order.
   *
   * A table of a large grid spans far more 4 KiB pages than the processor keeps address
   * translations for, so nearly every look at a random entry would first walk the page
   * tables. Tables of at least one huge page (2 MiB) are therefore placed on huge-page
   * boundaries and offered to the kernel for huge pages; smaller ones, and systems without
   * them, get ordinary memory. The kernel may decline; the table works the same.
   */
  template <typename T>
  class LargeTableAllocator
  {
  public:
    using value_type = T;

    LargeTableAllocator() noexcept = default;

    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U> &) noexcept
    {}

    T *allocate(const std::size_t n)
    {
      if (!_is_large(n))
        return std::allocator<T>().allocate(n);
      void *const memory = std::aligned_alloc(HUGE_PAGE, _rounded_bytes(n));
      if (memory == nullptr)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
      madvise(memory, _rounded_bytes(n), MADV_HUGEPAGE);
#endif
      return static_cast<T *>(memory);
    }

    void deallocate(T *const memory, const std::size_t n) noexcept
    {
      if (!_is_large(n))
        std::allocator<T>().deallocate(memory, n);
      else
        std::free(memory);
    }

    template <typename U>
    bool operator==(const LargeTableAllocator<U> &) const noexcept
    {
      return true;
    }

    template <typename U>
    bool operator!=(const LargeTableAllocator<U> &) const noexcept
    {
      return false;
    }

  private:
    static constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;
    static_assert(alignof(T) <= HUGE_PAGE, "entries aligned beyond a huge page");

    static bool _is_large(const std::size_t n) { return n >= HUGE_PAGE / sizeof(T); }

    /** aligned_alloc wants a multiple of the alignment. */
    static std::size_t _rounded_bytes(const std::size_t n)
    {
      if (n > (std::size_t(-1) - HUGE_PAGE) / sizeof(T))
        throw std::bad_alloc();
      return (n * sizeof(T) + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
    }
  };
} // namespace orr

#endif
