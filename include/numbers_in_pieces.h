#ifndef ORR_NUMBERS_IN_PIECES_H
#define ORR_NUMBERS_IN_PIECES_H

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "block_number_reader.h"
#include "text_input.h"
#include "writable_pages.h"

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

  /** What read_numbers_in_pieces found. */
  struct NumbersRead
  {
    /** Whether all the numbers asked for were read. */
    bool complete = false;
    /** The index of the first number that the acceptance test refused, if it refused one. */
    std::optional<std::uint64_t> first_refused;
  };

  /**
   * Reads the first `count` numbers of the file `path` (opened as open_text_file opens it)
   * into `values`, in file order, and tests each with `accept(double)` as it is read: the
   * numbers and the outcome of one BlockNumberReader over the whole file, read faster. The
   * file is cut into pieces of about equal bytes, one per core; each piece's reader takes
   * the words that begin in it, and the pieces after the first are parsed on threads of
   * their own while this thread parses the first. `accept` is called from those threads at
   * once and must only read shared data.
   *
   * word_limit: the longest word read; pieces: how the file is shared out.
   * Returns whether `count` numbers were read: not when the file cannot be opened, or when
   * a word that is no number or is longer than word_limit, or the end of the file, comes
   * before them; `values` then holds those read before. Whatever follows the count-th
   * number is not looked at. Memory beyond the values stays a few blocks.
   */
  template <typename Accept>
  NumbersRead read_numbers_in_pieces(const std::string &path, const std::uint64_t count, const std::size_t word_limit,
                                     const Accept &accept, std::vector<double> &values,
                                     const NumberPieces pieces = NumberPieces())
  {
    NumbersRead outcome;
    values.clear();
    std::ifstream first;
    if (!open_text_file(first, path, std::ios::binary))
      return outcome;
    // After the byte order mark, if there is one.
    const std::istream::pos_type start = first.tellg();
    first.seekg(0, std::ios::end);
    const std::istream::pos_type size = first.tellg();
    first.seekg(start);
    if (!first || start < 0 || size < start)
      return outcome;
    values.reserve(static_cast<std::size_t>(count));

    // Piece p is the bytes [start + length * p / piece_count, start + length * (p + 1) / piece_count).
    const std::uint64_t length      = static_cast<std::uint64_t>(size - start);
    const unsigned      cores       = std::max(1u, pieces.max_pieces > 0 ? pieces.max_pieces : std::thread::hardware_concurrency());
    const auto          piece_count = static_cast<unsigned>(
      std::clamp<std::uint64_t>(length / std::max<std::uint64_t>(pieces.least_piece_bytes, 1), 1, cores));
    const auto piece_begin = [&](const unsigned piece) {
      return static_cast<std::uint64_t>(start) + length * piece / piece_count;
    };

    // Set once the numbers still to be parsed are no longer needed.
    std::atomic<bool> settled{false};
    struct PieceEnd
    {
      bool                         faulted = false;
      std::optional<std::uint64_t> first_refused;  // in the piece
    };
    // Parses a piece from `in`, which stands at the start of the first piece and on the
    // byte before any later one, to see whether a word runs into it.
    const auto parse_piece = [&](const unsigned piece, std::istream &in, std::vector<double> &out) {
      const std::uint64_t from = piece == 0 ? static_cast<std::uint64_t>(start) : piece_begin(piece) - 1;
      BlockNumberReader   reader(in, word_limit,
                                 piece + 1 < piece_count ? piece_begin(piece + 1) - from : BlockNumberReader::TEXT_END,
                                 pieces.block_bytes);
      if (piece > 0)
        reader.skip_word_tail();
      PieceEnd end;
      double   value = 0.0;
      while (out.size() < count && !settled.load(std::memory_order_relaxed) && reader.next(value))
        {
          if (!end.first_refused && !accept(value))
            end.first_refused = out.size();
          out.push_back(value);
        }
      end.faulted = reader.faulted();
      return end;
    };

    struct PieceNumbers
    {
      std::vector<double> values;
      PieceEnd            end;
    };
    double *const storage        = values.data();
    const auto    read_later_piece = [&](const unsigned piece) {
      // The pages its numbers will about take in `values`, provided while the first piece is parsed.
      const std::uint64_t share_begin = count * piece / piece_count;
      provide_writable_pages(storage + share_begin, (count * (piece + 1) / piece_count - share_begin) * sizeof(double));
      PieceNumbers  numbers;
      std::ifstream in;
      if (!open_text_file(in, path, std::ios::binary) || !in.seekg(static_cast<std::streamoff>(piece_begin(piece) - 1)))
        {
          numbers.end.faulted = true;
          return numbers;
        }
      // Each word takes at least two bytes, with the blank after it: the values never outgrow this.
      numbers.values.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(count, (piece_begin(piece + 1) - piece_begin(piece)) / 2 + 1)));
      numbers.end = parse_piece(piece, in, numbers.values);
      return numbers;
    };

    // (1) the helpers parse the later pieces while this thread parses the first;
    std::vector<std::future<PieceNumbers>> helpers;
    for (unsigned piece = 1; piece < piece_count; ++piece)
      helpers.push_back(std::async(std::launch::async | std::launch::deferred, read_later_piece, piece));
    // Helpers still at work when this thread leaves, by a fault or an exception, stop soon.
    struct Settle
    {
      std::atomic<bool> &settled;
      ~Settle() { settled = true; }
    } settle_on_leaving{settled};

    const PieceEnd first_end = parse_piece(0, first, values);
    outcome.first_refused    = first_end.first_refused;
    bool faulted             = first_end.faulted;

    // (2) the later pieces' numbers follow in order, up to the first fault.
    for (std::future<PieceNumbers> &helper : helpers)
      {
        if (values.size() == count || faulted)
          break;
        const PieceNumbers  numbers = helper.get();
        const std::size_t   taken   = static_cast<std::size_t>(
          std::min<std::uint64_t>(numbers.values.size(), count - values.size()));
        if (!outcome.first_refused && numbers.end.first_refused && *numbers.end.first_refused < taken)
          outcome.first_refused = values.size() + *numbers.end.first_refused;
        values.insert(values.end(), numbers.values.begin(), numbers.values.begin() + static_cast<std::ptrdiff_t>(taken));
        faulted = numbers.end.faulted;
      }
    outcome.complete = values.size() == count;
    return outcome;
  }
} // namespace orr

#endif
