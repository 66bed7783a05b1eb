#ifndef QUILL_PRINT_COST_LABEL_H
#define QUILL_PRINT_COST_LABEL_H

#include <chrono>
#include <ostream>
#include <string>

namespace orr
{
  namespace quill
  {
    /** Milliseconds of a monotonic clock; only differences of two readings mean anything. */
    std::chrono::milliseconds millisecond_clock();

    /**
     * Writes the label of a timing line: left-aligned in a field of 40 characters filled
     * with '.' (so "Solving pressure costs " gets 17 dots). Adjustment and fill stay set on
     * the stream afterwards; the width applies to the label only. The stream is flushed so
     * that a long stage shows which one is running.
     */
    void print_cost_label(const std::string &label, std::ostream &out);

    /**
     * Ends a timing line: the elapsed time in seconds as a single-precision number in the
     * stream's default format (1500 ms gives "1.5", 0 ms gives "0"), then " seconds.".
     */
    void print_cost_seconds(std::chrono::milliseconds elapsed, std::ostream &out);

    /**
     * Runs one stage of a run under its timing line: the label first, then whatever the
     * stage writes, then the seconds it took.
     */
    template <typename Stage>
    void run_timed_stage(const std::string &label, std::ostream &out, Stage &&stage)
    {
      const std::chrono::milliseconds start = millisecond_clock();
      print_cost_label(label, out);
      stage();
      print_cost_seconds(millisecond_clock() - start, out);
    }
  } // namespace quill
} // namespace orr

#endif
