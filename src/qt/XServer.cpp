#include "qt/XServer.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace qtui {

std::uint32_t PlainKeysym(Display* display, unsigned keycode) {
  if (display == nullptr) return 0;
  return static_cast<std::uint32_t>(
      XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0));
}

}  // namespace qtui
