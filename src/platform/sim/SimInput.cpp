#include "platform/sim/SimInput.h"

namespace seam {

namespace {
constexpr std::uint8_t kVkLeftButton = 0x01;
constexpr std::uint8_t kVkRightButton = 0x02;
constexpr std::uint8_t kVkMiddleButton = 0x04;

std::uint32_t Now() {
  IClock* clock = Current().clock;
  return clock != nullptr ? clock->TickCount() : 0;
}
}  // namespace

void SimInput::KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
  std::lock_guard guard(lock_);
  InputRecord record;
  record.time = Now();
  record.kind = InputRecord::Kind::Key;
  record.vk = vk;
  record.scan = scan;
  record.flags = flags;
  Append(record);
  if (flags & kKeyUp) {
    down_.erase(vk);
  } else {
    down_.insert(vk);
  }
}

void SimInput::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                          std::int32_t data) {
  std::lock_guard guard(lock_);
  InputRecord record;
  record.kind = InputRecord::Kind::Mouse;
  record.flags = flags;
  record.dx = dx;
  record.dy = dy;
  record.time = Now();
  record.data = data;
  Append(record);
  // The system applies the move before the button changes of the same event.
  if (flags & kMouseMove) {
    if (flags & kMouseAbsolute) {
      desktop_.PlaceCursorAbsolute(dx, dy);
    } else {
      desktop_.MoveCursorBy(dx, dy);
    }
  }
  if (flags & kMouseLeftDown) down_.insert(kVkLeftButton);
  if (flags & kMouseLeftUp) down_.erase(kVkLeftButton);
  if (flags & kMouseRightDown) down_.insert(kVkRightButton);
  if (flags & kMouseRightUp) down_.erase(kVkRightButton);
  if (flags & kMouseMiddleDown) down_.insert(kVkMiddleButton);
  if (flags & kMouseMiddleUp) down_.erase(kVkMiddleButton);
}

std::vector<std::uint8_t> SimInput::KeysDown() {
  std::lock_guard guard(lock_);
  return {down_.begin(), down_.end()};
}

bool SimInput::AllReleased() {
  std::lock_guard guard(lock_);
  return down_.empty();
}

}  // namespace seam
