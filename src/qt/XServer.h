// What the window's program asks the X server directly, kept apart from the files that include
// Qt (Xlib's macros None, KeyPress, Bool, ... would break Qt's headers).
#pragma once

#include <cstdint>

typedef struct _XDisplay Display;

namespace qtui {

// The keysym of a keycode without modifiers, from the server's keyboard map; 0 without one.
std::uint32_t PlainKeysym(Display* display, unsigned keycode);

}  // namespace qtui
