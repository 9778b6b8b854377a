// A window handle with the few operations every window of the configuration user interface
// offers: showing, moving and sizing. The handle stays null until the window exists.
#pragma once

#include <windows.h>

class CControl {
 public:
  explicit CControl(HWND parent) : parent_(parent) {}
  // Destroys no window: child windows go with their parent, the modal window ends itself.
  virtual ~CControl() = default;
  CControl(const CControl&) = delete;
  CControl& operator=(const CControl&) = delete;

  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void Show(bool visible);
  // Screen coordinates.
  virtual RECT GetRect();
  virtual void Move(int x, int y);
  virtual void Resize(int width, int height);
  virtual void SetBounds(int left, int top, int right, int bottom);
  virtual HWND GetHandle() { return handle_; }
  virtual HWND GetParentHandle() { return parent_; }

 protected:
  HWND handle_ = nullptr;
  HWND parent_;
};
