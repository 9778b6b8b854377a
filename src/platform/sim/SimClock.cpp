#include "platform/sim/SimClock.h"

namespace seam {

std::uint32_t SimClock::TickCount() {
  std::lock_guard guard(lock_);
  return static_cast<std::uint32_t>(now_);
}

std::uint64_t SimClock::Now() {
  std::lock_guard guard(lock_);
  return now_;
}

void SimClock::Set(std::uint64_t ms) {
  std::lock_guard guard(lock_);
  now_ = ms;
}

void SimClock::Advance(std::uint64_t ms) {
  std::lock_guard guard(lock_);
  now_ += ms;
}

}  // namespace seam
