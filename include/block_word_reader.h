#ifndef ORR_BLOCK_WORD_READER_H
#define ORR_BLOCK_WORD_READER_H

#include <algorithm>
#include <cstddef>
#include <istream>
#include <string_view>
#include <vector>

namespace orr
{
  /**
   * The words of a text, read from the stream in large blocks and handed out in place:
   * the words that read_word (text_input.h) gives, without a stream call per character.
   * Files of millions of numbers are read this way; memory stays one block, whatever the
   * file.
   */
  class BlockWordReader
  {
  public:
    /**
     * in: the text, from where it stands; word_limit: the longest word read (a longer one
     * ends the reading); block_bytes: bytes read at once, more than word_limit.
     */
    BlockWordReader(std::istream &in, std::size_t word_limit, std::size_t block_bytes = std::size_t(1) << 20)
      : _in(in)
      , _word_limit(word_limit)
      , _block(block_bytes)
    {}

    /**
     * The next word: the characters up to a blank or a line end, after any blanks and line
     * ends before it; valid until the next call. Returns false at the end of the text, and
     * for a word longer than the limit.
     */
    bool next(std::string_view &word)
    {
      for (;;)
      {
        while (_begin < _end && is_blank(_block[_begin]))
          ++_begin;
        if (_begin == _end)
        {
          if (!_refill())
            return false;
          continue;
        }
        std::size_t stop = _begin;
        while (stop < _end && !is_blank(_block[stop]))
          ++stop;
        if (stop - _begin > _word_limit)
          return false;
        // A word at the end of the block may go on in the next one.
        if (stop == _end && !_at_end)
        {
          _refill();
          continue;
        }
        word   = std::string_view(&_block[_begin], stop - _begin);
        _begin = stop;
        return true;
      }
    }

  private:
    /** The blanks and line ends of the "C" locale's isspace. */
    static bool is_blank(const char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    /** Keeps what is left of the block at its start and reads on after it; false at the end of the text. */
    bool _refill()
    {
      std::copy(_block.begin() + static_cast<std::ptrdiff_t>(_begin), _block.begin() + static_cast<std::ptrdiff_t>(_end),
                _block.begin());
      _end -= _begin;
      _begin = 0;
      _in.read(_block.data() + _end, static_cast<std::streamsize>(_block.size() - _end));
      const std::size_t read = static_cast<std::size_t>(_in.gcount());
      _end += read;
      _at_end = read == 0;
      return !_at_end;
    }

    std::istream     &_in;
    std::size_t       _word_limit;
    std::vector<char> _block;
    std::size_t       _begin  = 0;  // the unread part of the block is [_begin, _end)
    std::size_t       _end    = 0;
    bool              _at_end = false;
  };
} // namespace orr

#endif
