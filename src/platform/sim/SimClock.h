// A manual clock: time moves only when the owner sets or advances it.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/Platform.h"

namespace seam {

class SimClock : public IClock {
 public:
  explicit SimClock(std::uint64_t start = 0) : now_(start) {}

  // The low 32 bits of the time, wrapping as the system tick count does.
  std::uint32_t TickCount() override;

  std::uint64_t Now();
  void Set(std::uint64_t ms);
  void Advance(std::uint64_t ms);

 private:
  std::mutex lock_;  // guards now_
  std::uint64_t now_;
};

}  // namespace seam
