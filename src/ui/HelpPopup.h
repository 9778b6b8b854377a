// A small window beside a control that shows a help text, as the pop-up topics of the old help
// viewer did: it appears below the control (above it when there is no room), takes the focus,
// and goes away at the next click or key press or when another window becomes active. One
// object shows one pop-up at a time. Main thread only.
#pragma once

#include <windows.h>

#include <string>

#include "ui/GdiHandles.h"

namespace ui {

class CHelpPopup {
 public:
  static constexpr const char* kWindowClass = "TandrelHelpPopup";

  CHelpPopup() = default;
  ~CHelpPopup();
  CHelpPopup(const CHelpPopup&) = delete;
  CHelpPopup& operator=(const CHelpPopup&) = delete;

  // Replaces any pop-up still shown.
  void Show(HWND control, const std::string& text);
  void Close();
  // Null while no pop-up is shown.
  HWND GetHandle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void PaintText(HDC dc) const;
  // The text's size when wrapped at the pop-up's greatest width, in pixels.
  SIZE MeasureText(int maximumWidth) const;

  HWND window_ = nullptr;
  std::string text_;
  FontHandle font_;
};

}  // namespace ui
