// A window handle with what every window of the configuration user interface offers: showing
// it. The handle stays null until the window exists.
#pragma once

#include <windows.h>

class CControl {
 public:
  explicit CControl(HWND parent) : parent_(parent) {}
  // Destroys no window: child windows go with their parent, the modal window ends itself.
  virtual ~CControl() = default;
  CControl(const CControl&) = delete;
  CControl& operator=(const CControl&) = delete;

  void Show(bool visible) const { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
  HWND GetHandle() const { return handle_; }
  HWND GetParentHandle() const { return parent_; }

 protected:
  HWND handle_ = nullptr;
  HWND parent_;
};
