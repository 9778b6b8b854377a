// Records every synthetic keyboard and mouse event with the time of the installed clock,
// moves the simulated cursor as the mouse events say, and keeps track of the keys and mouse
// buttons held down, so tests can check that nothing is left pressed.
#pragma once

#include <cstdint>
#include <mutex>
#include <set>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/RecordLog.h"
#include "platform/sim/SimDesktop.h"

namespace seam {

struct InputRecord {
  enum class Kind { Key, Mouse };
  std::uint32_t time = 0;  // tick count of the installed clock (0 when none is installed)
  Kind kind = Kind::Key;
  std::uint8_t vk = 0;  // keyboard events
  std::uint8_t scan = 0;
  std::uint32_t flags = 0;  // kKey* or kMouse* flags
  std::int32_t dx = 0;      // mouse events
  std::int32_t dy = 0;
  std::int32_t data = 0;

  bool IsKey() const { return kind == Kind::Key; }
  bool IsKeyDown() const { return kind == Kind::Key && (flags & kKeyUp) == 0; }
  bool IsKeyUp() const { return kind == Kind::Key && (flags & kKeyUp) != 0; }
  bool IsMouse() const { return kind == Kind::Mouse; }
  bool operator==(const InputRecord&) const = default;
};

class SimInput : public IInput, public RecordLog<InputRecord> {
 public:
  // The cursor that mouse events move; it must outlive this object.
  explicit SimInput(SimDesktop& desktop) : desktop_(desktop) {}

  void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;

  // TakeLog and ClearLog (RecordLog) empty the log; the keys held down are not forgotten.

  // Virtual keys held down now (a key down counts once however often it repeated), and the
  // mouse buttons as their virtual keys 1 (left), 2 (right) and 4 (middle).
  std::vector<std::uint8_t> KeysDown();
  bool AllReleased();

 private:
  // lock_ guards down_. Lock order: lock_, then the log's, the clock's and the desktop's locks
  // (none calls back into this object).
  std::mutex lock_;
  SimDesktop& desktop_;
  std::set<std::uint8_t> down_;
};

}  // namespace seam
