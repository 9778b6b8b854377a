// Xlib apart from Qt, whose headers its macros would break.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

void PressKeyOnTheServer(unsigned long keysym) {
  Display* display = XOpenDisplay(nullptr);
  const unsigned keycode = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, keycode, True, 0);
  XTestFakeKeyEvent(display, keycode, False, 0);
  XCloseDisplay(display);  // flushes
}
