// The millisecond tick count from the steady clock.
#pragma once

#include "platform/Platform.h"

namespace seam {

class SteadyClock : public IClock {
 public:
  std::uint32_t TickCount() override;
};

}  // namespace seam
