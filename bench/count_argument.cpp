#include "count_argument.h"

#include <string>

namespace orr
{
  namespace bench
  {
    std::optional<unsigned> read_count_argument(const char *text, const unsigned smallest)
    {
      const std::string argument = text;
      if (argument.empty() || argument.size() > 9 || argument.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
      const unsigned count = static_cast<unsigned>(std::stoul(argument));
      if (count < smallest)
        return std::nullopt;
      return count;
    }
  } // namespace bench
} // namespace orr
