// Before any X header: Xlib's macros (None, Bool) break gtest's templates.
#include <gtest/gtest.h>

#include "XRecorder.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>

XRecorder::XRecorder() : display_(XOpenDisplay(nullptr)) {
  EXPECT_NE(display_, nullptr);
  const int screen = DefaultScreen(display_);
  window_ =
      XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0,
                          DisplayWidth(display_, screen), DisplayHeight(display_, screen), 0, 0, 0);
  XSelectInput(display_, window_,
               KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | ExposureMask);
  XMapWindow(display_, window_);
  // Mapped once the server has exposed it; only then can it take the focus.
  XEvent exposed;
  XWindowEvent(display_, window_, ExposureMask, &exposed);
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  XSync(display_, False);
}

XRecorder::~XRecorder() { XCloseDisplay(display_); }

std::vector<XRecord> XRecorder::Take() {
  XSync(display_, False);
  std::vector<XRecord> records;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == KeyPress || event.type == KeyRelease) {
      records.push_back({XRecord::Key, event.type == KeyPress,
                         XkbKeycodeToKeysym(display_, event.xkey.keycode, 0, 0)});
    } else if (event.type == ButtonPress || event.type == ButtonRelease) {
      records.push_back({XRecord::Button, event.type == ButtonPress, event.xbutton.button});
    }
  }
  return records;
}

Window XRecorder::MakeWindow(const std::string& title, bool ewmhName) {
  const Window window =
      XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
  SetTitle(window, title, ewmhName);
  return window;
}

void XRecorder::SetTitle(Window window, const std::string& title, bool ewmhName) {
  const Atom property = ewmhName ? XInternAtom(display_, "_NET_WM_NAME", False) : XA_WM_NAME;
  const Atom type = ewmhName ? XInternAtom(display_, "UTF8_STRING", False) : XA_STRING;
  XChangeProperty(display_, window, property, type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  XFlush(display_);
}

void XRecorder::Activate(Window window) {
  const long value = static_cast<long>(window);
  XChangeProperty(display_, DefaultRootWindow(display_),
                  XInternAtom(display_, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
  XFlush(display_);
}

std::vector<unsigned> XRecorder::KeysDown() {
  char keys[32];
  XQueryKeymap(display_, keys);
  std::vector<unsigned> down;
  for (unsigned k = 0; k < 256; ++k) {
    if (keys[k / 8] & (1 << (k % 8))) down.push_back(k);
  }
  return down;
}

unsigned XRecorder::Pointer(int& x, int& y) {
  Window root = 0, child = 0;
  int wx = 0, wy = 0;
  unsigned mask = 0;
  XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &wx, &wy, &mask);
  return mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask);
}

void XRecorder::MovePointer(int x, int y) {
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
  XSync(display_, False);
}

void XRecorder::ClaimTray() {
  XSetSelectionOwner(display_, XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False), window_,
                     CurrentTime);
  XSync(display_, False);
}

bool XRecorder::HasWindowNamed(const std::string& title) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    found = XFetchName(display_, children[i], &name) != 0 && name == title;
    XFree(name);
  }
  XFree(children);
  return found;
}
