// The system's millisecond tick count.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless.
class Win32Clock : public IClock {
 public:
  std::uint32_t TickCount() override;
};

}  // namespace seam
