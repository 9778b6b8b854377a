// A window of the test's own covering the screen and holding the input focus: it records the
// keys and buttons the X server delivers. It also stands for a
// window manager: it names windows and publishes the active one (EWMH).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct XRecord {
  enum Kind { Key, Button } kind;
  bool down;
  unsigned long code;  // the keysym (unshifted) of a key, the number of a button
};

class XRecorder {
 public:
  XRecorder();  // on the display named by DISPLAY
  ~XRecorder();
  XRecorder(const XRecorder&) = delete;
  XRecorder& operator=(const XRecorder&) = delete;

  ::Display* display() const { return display_; }
  // Everything delivered since the last call.
  std::vector<XRecord> Take();

  // A top-level window with this title (_NET_WM_NAME, or only WM_NAME).
  Window MakeWindow(const std::string& title, bool ewmhName = true);
  void SetTitle(Window window, const std::string& title, bool ewmhName = true);
  // Publishes the active window as a window manager does (0: none).
  void Activate(Window window);
  // Stands for the panel holding the notification area (system tray).
  void ClaimTray();
  // Whether a top-level window has this title (WM_NAME).
  bool HasWindowNamed(const std::string& title);

  // What the server has down now: the keycodes of keys, and the pointer's buttons; where the
  // pointer is.
  std::vector<unsigned> KeysDown();
  unsigned ButtonMask() {
    int x = 0, y = 0;
    return Pointer(x, y);
  }
  unsigned Pointer(int& x, int& y);  // returns ButtonMask()
  void MovePointer(int x, int y);

 private:
  ::Display* display_;
  Window window_;
};
