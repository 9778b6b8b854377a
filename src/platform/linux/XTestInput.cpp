#include "platform/linux/XTestInput.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>

#include "platform/XKeyTable.h"
#include "platform/linux/XConnection.h"

namespace seam {

namespace {

constexpr std::int32_t kWheelNotch = 120;
constexpr unsigned kWheelUp = 4;
constexpr unsigned kWheelDown = 5;
constexpr long long kMostNotches = 100;

}  // namespace

XTestInput::XTestInput(XConnection& connection) : connection_(connection) {}

XTestInput::~XTestInput() {
  auto lock = connection_.Lock();
  if (connection_.Lost()) return;
  ReleaseHeld();
  Display* display = connection_.display();
  // The borrowed keycodes go back to having no symbol.
  for (const auto& [keysym, keycode] : boundKeysyms_) {
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(display, static_cast<int>(keycode), 1, &none, 1);
  }
  XSync(display, False);
}

void XTestInput::ReleaseAll() {
  auto lock = connection_.Lock();
  if (!connection_.Lost()) ReleaseHeld();
}

void XTestInput::ReleaseHeld() {
  Display* display = connection_.display();
  std::set<unsigned> keycodes;
  for (const auto& [vk, keycode] : heldKeys_) keycodes.insert(keycode);
  for (unsigned keycode : keycodes) XTestFakeKeyEvent(display, keycode, False, CurrentTime);
  for (unsigned button : heldButtons_) XTestFakeButtonEvent(display, button, False, CurrentTime);
  heldKeys_.clear();
  heldButtons_.clear();
  XSync(display, False);
}

unsigned XTestInput::KeycodeFor(std::uint32_t keysym) {
  Display* display = connection_.display();
  if (const KeyCode keycode = XKeysymToKeycode(display, keysym)) return keycode;
  if (const auto bound = boundKeysyms_.find(keysym); bound != boundKeysyms_.end()) {
    return bound->second;
  }
  // Borrow the highest keycode that has no symbol at all.
  int low = 0, high = 0, perKeycode = 0;
  XDisplayKeycodes(display, &low, &high);
  KeySym* map =
      XGetKeyboardMapping(display, static_cast<KeyCode>(low), high - low + 1, &perKeycode);
  if (map == nullptr) return 0;
  unsigned spare = 0;
  for (int keycode = high; keycode >= low && spare == 0; --keycode) {
    bool empty = true;
    for (int i = 0; i < perKeycode; ++i)
      empty = empty && map[(keycode - low) * perKeycode + i] == 0;
    if (empty) spare = static_cast<unsigned>(keycode);
  }
  XFree(map);
  if (spare == 0) return 0;
  KeySym symbol = keysym;
  XChangeKeyboardMapping(display, static_cast<int>(spare), 1, &symbol, 1);
  XSync(display, False);
  boundKeysyms_[keysym] = spare;
  return spare;
}

void XTestInput::FollowMapChanges() {
  if (connection_.MapChanges() == mapChangesSeen_) return;
  mapChangesSeen_ = connection_.MapChanges();
  // A layout switch rewrites the whole map: a keycode bound here may type another symbol now.
  // It is bound again when next needed.
  std::erase_if(boundKeysyms_, [this](const auto& bound) {
    return XkbKeycodeToKeysym(connection_.display(), static_cast<KeyCode>(bound.second), 0, 0) !=
           bound.first;
  });
}

bool XTestInput::Holds(unsigned keycode) const {
  return std::any_of(heldKeys_.begin(), heldKeys_.end(),
                     [keycode](const auto& held) { return held.second == keycode; });
}

void XTestInput::KeyboardEvent(std::uint8_t vk, std::uint8_t /*scan*/, std::uint32_t flags) {
  const auto keysym = KeysymForVirtualKey(vk);
  auto lock = connection_.Lock();
  // The map as the server has it now, not as it was at the last key.
  if (!connection_.DrainEvents()) return;
  FollowMapChanges();
  Display* display = connection_.display();
  const auto held = heldKeys_.find(vk);
  if ((flags & kKeyUp) != 0) {
    // Up on the keycode it went down on, whatever the map says now; a keycode that two virtual
    // keys hold (Shift and left Shift) goes up with the last of them.
    if (held == heldKeys_.end()) return;
    const unsigned keycode = held->second;
    heldKeys_.erase(held);
    if (Holds(keycode)) return;
    XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    XSync(display, False);
    return;
  }
  if (held != heldKeys_.end()) return;
  const unsigned keycode = keysym ? KeycodeFor(*keysym) : 0;
  if (keycode == 0) {
    if (!reported_[vk] && report_) report_(vk);
    reported_[vk] = true;
    return;
  }
  const bool down = !Holds(keycode);
  heldKeys_[vk] = keycode;
  if (!down) return;
  XTestFakeKeyEvent(display, keycode, True, CurrentTime);
  XSync(display, False);
}

void XTestInput::Button(unsigned button, bool down) {
  if (down ? !heldButtons_.insert(button).second : heldButtons_.erase(button) == 0) return;
  XTestFakeButtonEvent(connection_.display(), button, down, CurrentTime);
}

void XTestInput::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                            std::int32_t data) {
  auto lock = connection_.Lock();
  if (connection_.Lost()) return;
  Display* display = connection_.display();
  if (flags & kMouseMove) {
    if (flags & kMouseAbsolute) {
      // 0..65535 spans the screen, as the Windows call takes it.
      const long long width = DisplayWidth(display, DefaultScreen(display));
      const long long height = DisplayHeight(display, DefaultScreen(display));
      XTestFakeMotionEvent(display, -1, static_cast<int>(dx * width / 65536),
                           static_cast<int>(dy * height / 65536), CurrentTime);
    } else {
      XTestFakeRelativeMotionEvent(display, dx, dy, CurrentTime);
    }
  }
  const struct {
    std::uint32_t down, up;
    unsigned button;
  } buttons[] = {{kMouseLeftDown, kMouseLeftUp, 1},
                 {kMouseRightDown, kMouseRightUp, 3},
                 {kMouseMiddleDown, kMouseMiddleUp, 2}};
  for (const auto& b : buttons) {
    if (flags & b.down) Button(b.button, true);
    if (flags & b.up) Button(b.button, false);
  }
  if (flags & kMouseWheel) {
    // X turns the wheel by whole notches (buttons 4 and 5); a partial delta waits for the rest.
    const long long total = static_cast<long long>(wheelRest_) + data;
    const long long notches = total / kWheelNotch;
    wheelRest_ = static_cast<std::int32_t>(total - notches * kWheelNotch);
    const unsigned button = notches > 0 ? kWheelUp : kWheelDown;
    // A file may ask for millions of lines at once: one event turns at most kMostNotches.
    const long long clicks = std::min(notches < 0 ? -notches : notches, kMostNotches);
    for (long long i = 0; i < clicks; ++i) {
      XTestFakeButtonEvent(display, button, True, CurrentTime);
      XTestFakeButtonEvent(display, button, False, CurrentTime);
    }
  }
  XSync(display, False);
}

}  // namespace seam
