#include "formatted_blocks.h"

#include <charconv>
#include <system_error>

#include "exceptions.h"

namespace orr
{
  void append_general_number(std::string &text, const double value, const int precision)
  {
    char                       buffer[32];
    const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    ORR_ASSERT(result.ec == std::errc(), ExcInternalError());
    text.append(buffer, result.ptr);
  }
} // namespace orr
