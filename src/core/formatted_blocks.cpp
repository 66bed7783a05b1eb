#include "formatted_blocks.h"

namespace orr
{
  bool BlockWritingTurns::wait_for_turn(const std::size_t block)
  {
    std::unique_lock<std::mutex> lock(_mutex);
    _turn_changed.wait(lock, [this, block] { return _abandoned || _next == block; });
    return !_abandoned;
  }

  void BlockWritingTurns::written(const std::size_t block)
  {
    {
      const std::lock_guard<std::mutex> lock(_mutex);
      _next = block + 1;
    }
    _turn_changed.notify_all();
  }

  void BlockWritingTurns::abandon()
  {
    {
      const std::lock_guard<std::mutex> lock(_mutex);
      _abandoned = true;
    }
    _turn_changed.notify_all();
  }
} // namespace orr
