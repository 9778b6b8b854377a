#include "platform/linux/SteadyClock.h"

#include <chrono>

namespace seam {

std::uint32_t SteadyClock::TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  // Wraps after 2^32 ms, as the Windows tick count does.
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace seam
