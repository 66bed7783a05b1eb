#ifndef ORR_CACHE_LINE_ALLOCATOR_H
#define ORR_CACHE_LINE_ALLOCATOR_H

#include <cstddef>
#include <new>

namespace orr
{
  /** Size of a cache line on the processors we run on. */
  constexpr std::size_t CACHE_LINE_BYTES = 64;

  /**
   * Allocator that starts every block on a cache line, for containers whose layout is
   * laid out against line boundaries (see NarrowBand).
   */
  template <typename T>
  class CacheLineAllocator
  {
  public:
    using value_type = T;

    CacheLineAllocator() noexcept = default;

    template <typename U>
    CacheLineAllocator(const CacheLineAllocator<U> &) noexcept
    {}

    T *allocate(const std::size_t n)
    {
      if (n > std::size_t(-1) / sizeof(T))
        throw std::bad_alloc();
      return static_cast<T *>(::operator new(n * sizeof(T), std::align_val_t(CACHE_LINE_BYTES)));
    }

    void deallocate(T *const memory, std::size_t) noexcept
    {
      ::operator delete(memory, std::align_val_t(CACHE_LINE_BYTES));
    }

    template <typename U>
    bool operator==(const CacheLineAllocator<U> &) const noexcept
    {
      return true;
    }

    template <typename U>
    bool operator!=(const CacheLineAllocator<U> &) const noexcept
    {
      return false;
    }
  };
} // namespace orr

#endif
