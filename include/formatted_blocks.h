#ifndef ORR_FORMATTED_BLOCKS_H
#define ORR_FORMATTED_BLOCKS_H

#include <algorithm>
#include <cstddef>
#include <future>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace orr
{
  /**
   * Appends `value` in the general notation with `precision` significant digits: the text
   * of printf's "%.<precision>g" (and of a C++ stream with that precision), formatted by
   * std::to_chars without locale or stream work. Infinities and NaN give "inf", "-inf" and
   * "nan" as printf does.
   */
  void append_general_number(std::string &text, double value, int precision);

  /**
   * Writes the text of `count` items to `out`, in item order, formatting it in blocks of
   * items on every core at once: the result files hold millions of numbers, and
   * formatting them costs far more than writing the text.
   *
   * `format(begin, end, text)` appends the text of items [begin, end) to `text`; it is
   * called from several threads at once, on different ranges, and must only read shared
   * data. Each block's text goes to `out` with one `write` of the stream. Where no thread
   * can be started, the blocks are formatted one after the other.
   */
  template <typename Format>
  void write_formatted_blocks(std::ostream &out, const std::size_t count, const Format &format)
  {
    // About 4 MB of text per block of table rows: few large writes, bounded memory.
    constexpr std::size_t ITEMS_PER_BLOCK = std::size_t(1) << 15;
    const std::size_t     workers = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::string> texts(workers);
    const auto format_block = [&format, &texts, count](const std::size_t worker, const std::size_t begin) {
      texts[worker].clear();
      format(begin, std::min(begin + ITEMS_PER_BLOCK, count), texts[worker]);
    };

    // (1) the helpers format the round's later blocks while this thread formats its first;
    // (2) the blocks are written in order.
    for (std::size_t first = 0; first < count; first += workers * ITEMS_PER_BLOCK)
    {
      std::vector<std::future<void>> helpers;
      for (std::size_t worker = 1; worker < workers && first + worker * ITEMS_PER_BLOCK < count; ++worker)
        helpers.push_back(std::async(std::launch::async | std::launch::deferred, format_block, worker,
                                     first + worker * ITEMS_PER_BLOCK));
      format_block(0, first);
      for (std::future<void> &helper : helpers)
        helper.get();
      for (std::size_t worker = 0; worker <= helpers.size(); ++worker)
        out.write(texts[worker].data(), static_cast<std::streamsize>(texts[worker].size()));
    }
  }
} // namespace orr

#endif
