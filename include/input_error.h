#ifndef ORR_INPUT_ERROR_H
#define ORR_INPUT_ERROR_H

#include <stdexcept>
#include <string>

namespace orr
{
  /**
   * An error in the user's input (command line, deck, pressure-model section).
   *
   * Readers throw it where the fault is found, carrying the exact text the user sees,
   * line breaks included (for instance "\nError in reading DX data!\n"). Only the top
   * of the program (`main`) turns it into output: the text goes to standard error
   * unchanged and the process ends with exit status 1. Keeping the exit out of the
   * readers lets tests and fuzzing harnesses see the error instead of a dead process.
   */
  class InputError : public std::runtime_error
  {
  public:
    explicit InputError(const std::string &message)
      : std::runtime_error(message)
    {}
  };
} // namespace orr

#endif
