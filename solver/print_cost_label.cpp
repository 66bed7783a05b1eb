#include "print_cost_label.h"

#include <iomanip>

namespace orr
{
  namespace quill
  {
    namespace
    {
      constexpr int LABEL_WIDTH = 40;
    }

    std::chrono::milliseconds millisecond_clock()
    {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    }

    void print_cost_label(const std::string &label, std::ostream &out)
    {
      out << std::setw(LABEL_WIDTH) << std::left << std::setfill('.') << label << std::flush;
    }

    void print_cost_seconds(const std::chrono::milliseconds elapsed, std::ostream &out)
    {
      const float seconds = static_cast<float>(elapsed.count()) / 1000.0f;
      out << seconds << " seconds." << std::endl;
    }
  } // namespace quill
} // namespace orr
