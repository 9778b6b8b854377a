// Synthetic input through keybd_event and mouse_event.
#pragma once

#include "platform/Platform.h"

namespace seam {

// Stateless; the system queues the events of every thread in the order it receives them.
class Win32Input : public IInput {
 public:
  void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;
};

}  // namespace seam
