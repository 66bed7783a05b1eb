#ifndef ORR_BLOCK_NUMBER_READER_H
#define ORR_BLOCK_NUMBER_READER_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <limits>
#include <vector>

#include "text_input.h"

namespace orr
{
  /**
   * The numbers of a text of whitespace-separated words, read from a stream in large
   * blocks and parsed in place: the numbers that read_word and parse_whole_number
   * (text_input.h) give word by word, without a stream call per character or a copy of
   * each word. Files of millions of numbers are read this way; memory stays one block,
   * whatever the file.
   *
   * A reader may take only part of the text, the words that begin before a given offset,
   * so that several readers can share a file between them (numbers_in_pieces.h).
   */
  class BlockNumberReader
  {
  public:
    /** No end but the end of the text. */
    static constexpr std::uint64_t TEXT_END = std::numeric_limits<std::uint64_t>::max();

    /**
     * in: the text, from where it stands; word_limit: the longest word read (a longer one
     * is a fault); words_end: the reader gives the words that begin before this many bytes
     * from where `in` stands, read whole even where they run past it; block_bytes: bytes
     * read at once, more than word_limit.
     */
    BlockNumberReader(std::istream &in, std::size_t word_limit, std::uint64_t words_end = TEXT_END,
                      std::size_t block_bytes = std::size_t(1) << 20)
      : _in(in)
      , _word_limit(word_limit)
      , _words_end(words_end)
      , _block(block_bytes)
    {}

    /**
     * Passes over the rest of a word that began before the reader's start, if the reader
     * starts inside one: the characters up to the next blank or line end.
     */
    void skip_word_tail()
    {
      for (;;)
      {
        while (_begin < _end && !is_blank(_block[_begin]))
          ++_begin;
        if (_begin < _end || !_refill())
          return;
      }
    }

    /**
     * The next number. Returns false at the end of the text or of the reader's part of it,
     * and for a word that is no whole number or is longer than the limit; faulted() then
     * tells the two apart. Nothing is read after a fault.
     */
    bool next(double &value)
    {
      for (;;)
      {
        if (_faulted)
          return false;
        while (_begin < _whole_end && is_blank(_block[_begin]))
          ++_begin;
        if (_block_offset + _begin >= _words_end)
          return false;
        if (_begin == _whole_end)
        {
          // The word (or the blanks) may go on in the next block.
          if (_at_end)
            return false;
          if (_end - _begin > _word_limit)
            return _fault();
          _refill();
          continue;
        }
        // Every word that begins before _whole_end also ends there or before it.
        const char *const first = &_block[_begin];
        const char *const stop  = parse_number_prefix(first, _block.data() + _whole_end, value);
        if (stop == nullptr || static_cast<std::size_t>(stop - first) > _word_limit
            || (stop != _block.data() + _whole_end && !is_blank(*stop)))
          return _fault();
        _begin = static_cast<std::size_t>(stop - _block.data());
        return true;
      }
    }

    /** Whether the reading ended at a word that is no number, or one too long. */
    bool faulted() const { return _faulted; }

  private:
    /** The blanks and line ends of the "C" locale's isspace. */
    static bool is_blank(const char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    bool _fault()
    {
      _faulted = true;
      return false;
    }

    /**
     * Keeps what is left of the block at its start and reads on after it; false at the end
     * of the text. Words are then whole up to the block's last blank, or to its end at the
     * end of the text.
     */
    bool _refill()
    {
      std::copy(_block.begin() + static_cast<std::ptrdiff_t>(_begin),
                _block.begin() + static_cast<std::ptrdiff_t>(_end), _block.begin());
      _block_offset += _begin;
      _end -= _begin;
      _begin = 0;
      _in.read(_block.data() + _end, static_cast<std::streamsize>(_block.size() - _end));
      const std::size_t read = static_cast<std::size_t>(_in.gcount());
      _end += read;
      _at_end = read == 0;
      _whole_end = _end;
      if (!_at_end)
        while (_whole_end > 0 && !is_blank(_block[_whole_end - 1]))
          --_whole_end;
      return !_at_end;
    }

    std::istream     &_in;
    std::size_t       _word_limit;
    std::uint64_t     _words_end;
    std::vector<char> _block;
    std::uint64_t     _block_offset = 0;  // bytes of the text before _block[0]
    std::size_t       _begin        = 0;  // the unread part of the block is [_begin, _end)
    std::size_t       _end          = 0;
    std::size_t       _whole_end    = 0;  // words that begin before it end within the block
    bool              _at_end       = false;
    bool              _faulted      = false;
  };
} // namespace orr

#endif
