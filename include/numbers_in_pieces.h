#ifndef ORR_NUMBERS_IN_PIECES_H
#define ORR_NUMBERS_IN_PIECES_H

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "block_number_reader.h"
#include "text_input.h"

namespace orr
{
  /** How a file is shared between the threads that read its numbers. */
  struct NumberPieces
  {
    /** The least bytes of text worth a thread of its own (some 4 MB: 10 ms of parsing). */
    std::uint64_t least_piece_bytes = std::uint64_t(1) << 22;
    /** The most pieces read at once; 0 for one per core. */
    unsigned max_pieces = 0;
    /** Bytes each reader reads at once. */
    std::size_t block_bytes = std::size_t(1) << 20;
  };

  /**
   * Reads the first `count` numbers of the file `path` (opened as open_text_file opens it)
   * and hands each to `take(double)`, in file order, on the calling thread: the numbers
   * and the outcome of one BlockNumberReader over the whole file, read faster. The file is
   * cut into pieces of about equal bytes, one per core; each piece's reader takes the words
   * that begin in it, and the pieces after the first are parsed on threads of their own
   * while this thread parses the first.
   *
   * word_limit: the longest word read; pieces: how the file is shared out.
   * Returns whether `count` numbers were read: false when the file cannot be opened, or
   * when a word that is no number or is longer than word_limit, or the end of the file,
   * comes before them. Whatever follows the count-th number is not looked at.
   */
  template <typename Take>
  bool read_numbers_in_pieces(const std::string &path, const std::uint64_t count, const std::size_t word_limit,
                              Take take, const NumberPieces pieces = NumberPieces())
  {
    std::ifstream first;
    if (!open_text_file(first, path, std::ios::binary))
      return false;
    // After the byte order mark, if there is one.
    const std::istream::pos_type start = first.tellg();
    first.seekg(0, std::ios::end);
    const std::istream::pos_type size = first.tellg();
    first.seekg(start);
    if (!first || start < 0 || size < start)
      return false;

    // Piece p is the bytes [start + length * p / piece_count, start + length * (p + 1) / piece_count).
    const std::uint64_t length    = static_cast<std::uint64_t>(size - start);
    const unsigned      cores     = std::max(1u, pieces.max_pieces > 0 ? pieces.max_pieces : std::thread::hardware_concurrency());
    const auto          piece_count = static_cast<unsigned>(
      std::clamp<std::uint64_t>(length / std::max<std::uint64_t>(pieces.least_piece_bytes, 1), 1, cores));
    const auto piece_begin = [&](const unsigned piece) {
      return static_cast<std::uint64_t>(start) + length * piece / piece_count;
    };

    // Set once the numbers still to be parsed are no longer needed.
    std::atomic<bool> settled{false};
    struct PieceNumbers
    {
      std::vector<double> values;
      bool                faulted = false;
    };
    const auto read_piece = [&](const unsigned piece) {
      PieceNumbers  numbers;
      std::ifstream in;
      // The reader starts on the byte before its piece, to see whether a word runs into it.
      const std::uint64_t from = piece_begin(piece) - 1;
      if (!open_text_file(in, path, std::ios::binary) || !in.seekg(static_cast<std::streamoff>(from)))
        {
          numbers.faulted = true;
          return numbers;
        }
      BlockNumberReader reader(in, word_limit,
                               piece + 1 < piece_count ? piece_begin(piece + 1) - from : BlockNumberReader::TEXT_END,
                               pieces.block_bytes);
      reader.skip_word_tail();
      // Each word takes at least two bytes, with the blank after it: the values never outgrow this.
      numbers.values.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(count, (piece_begin(piece + 1) - piece_begin(piece)) / 2 + 1)));
      double value = 0.0;
      while (numbers.values.size() < count && !settled.load(std::memory_order_relaxed) && reader.next(value))
        numbers.values.push_back(value);
      numbers.faulted = reader.faulted();
      return numbers;
    };

    // (1) the helpers parse the later pieces while this thread parses the first;
    std::vector<std::future<PieceNumbers>> helpers;
    for (unsigned piece = 1; piece < piece_count; ++piece)
      helpers.push_back(std::async(std::launch::async | std::launch::deferred, read_piece, piece));
    // Helpers still at work when this thread leaves, by a fault or an exception, stop soon.
    struct Settle
    {
      std::atomic<bool> &settled;
      ~Settle() { settled = true; }
    } settle_on_leaving{settled};

    BlockNumberReader reader(first, word_limit, piece_count > 1 ? piece_begin(1) - start : BlockNumberReader::TEXT_END,
                             pieces.block_bytes);
    std::uint64_t taken = 0;
    double        value = 0.0;
    while (taken < count && reader.next(value))
      {
        take(value);
        ++taken;
      }
    bool faulted = reader.faulted();

    // (2) the later pieces' numbers follow in order, up to the first fault.
    for (std::future<PieceNumbers> &helper : helpers)
      {
        if (taken == count || faulted)
          break;
        const PieceNumbers numbers = helper.get();
        for (std::size_t n = 0; n < numbers.values.size() && taken < count; ++n, ++taken)
          take(numbers.values[n]);
        faulted = numbers.faulted;
      }
    return taken == count;
  }
} // namespace orr

#endif
