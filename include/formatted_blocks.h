#ifndef ORR_FORMATTED_BLOCKS_H
#define ORR_FORMATTED_BLOCKS_H

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <future>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace orr
{
  /**
   * The order in which the threads of write_formatted_blocks write their blocks: block b
   * goes to the file after block b - 1, whichever thread formatted it. A thread that fails
   * abandons the writing, and the others then stop instead of waiting for its block.
   */
  class BlockWritingTurns
  {
  public:
    /** Waits until block `block` is next to be written; false once the writing is abandoned. */
    bool wait_for_turn(std::size_t block);
    /** Block `block` is written: the next one may go. */
    void written(std::size_t block);
    /** A thread has failed: no block waits any longer. */
    void abandon();

  private:
    std::mutex              _mutex;
    std::condition_variable _turn_changed;
    std::size_t             _next     = 0;
    bool                    _abandoned = false;
  };

  /**
   * The items write_formatted_blocks formats at a time: about 1 MB of text for the rows of the
   * tau table, which is still in the processor's cache when it is written, in few large writes.
   */
  constexpr std::size_t FORMATTED_BLOCK_ITEMS = std::size_t(1) << 13;

  /**
   * Writes the text of `count` items to `out`, in item order, formatting it in blocks of
   * items on every core at once: the result files hold millions of numbers, and
   * formatting them costs far more than writing the text.
   *
   * `format(begin, end, text)` appends the text of items [begin, end) to `text`; it is
   * called from several threads at once, on different ranges, and must only read shared
   * data. Each thread takes the next block to format, waits for the blocks before it to be
   * written, writes its own with one `write` of the stream and goes on, so that writing
   * overlaps formatting. Where no thread can be started, this thread formats and writes
   * every block. An exception of `format` is thrown here once every thread has stopped.
   */
  template <typename Format>
  void write_formatted_blocks(std::ostream &out, const std::size_t count, const Format &format)
  {
    const std::size_t     blocks          = (count + FORMATTED_BLOCK_ITEMS - 1) / FORMATTED_BLOCK_ITEMS;
    const std::size_t     threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), blocks);

    std::atomic<std::size_t> next_block{0};
    BlockWritingTurns        turns;
    const auto        format_and_write = [&]() {
      std::string text;
      try
        {
          for (;;)
            {
              const std::size_t block = next_block++;
              if (block >= blocks)
                return;
              text.clear();
              const std::size_t begin = block * FORMATTED_BLOCK_ITEMS;
              format(begin, std::min(begin + FORMATTED_BLOCK_ITEMS, count), text);
              if (!turns.wait_for_turn(block))
                return;
              out.write(text.data(), static_cast<std::streamsize>(text.size()));
              turns.written(block);
            }
        }
      catch (...)
        {
          turns.abandon();
          throw;
        }
    };

    std::vector<std::future<void>> helpers;
    for (std::size_t helper = 1; helper < threads; ++helper)
      helpers.push_back(std::async(std::launch::async | std::launch::deferred, format_and_write));
    std::exception_ptr failure;
    try
      {
        format_and_write();
      }
    catch (...)
      {
        failure = std::current_exception();
      }
    for (std::future<void> &helper : helpers)
      try
        {
          helper.get();
        }
      catch (...)
        {
          if (!failure)
            failure = std::current_exception();
        }
    if (failure)
      std::rethrow_exception(failure);
  }
} // namespace orr

#endif
