#include "OtherWindow.h"

namespace driver {

namespace {
constexpr const char* kClass = "TandrelStoryOtherWindow";
}

OtherWindow::OtherWindow(const std::string& title) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.lpszClassName = kClass;
  RegisterClassA(&windowClass);  // the first one registers it
  window_ = CreateWindowExA(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                            200, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

OtherWindow::~OtherWindow() { DestroyWindow(window_); }

void OtherWindow::BringToFront() { SetForegroundWindow(window_); }

void OtherWindow::Rename(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

LRESULT CALLBACK OtherWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<OtherWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
    self->keysDown_.push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace driver
