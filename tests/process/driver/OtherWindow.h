// A window of a program other than Tandrel.exe (the story's own), with a title of the story's
// choosing: brought to the front and renamed as its program does, it records the keys that
// reach it. Its messages are handled while the story's steps wait.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

class OtherWindow {
 public:
  explicit OtherWindow(const std::string& title);
  ~OtherWindow();
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;

  void BringToFront();
  void Rename(const std::string& title);
  // The virtual-key codes that went down in it, in order.
  const std::vector<WPARAM>& KeysDown() const { return keysDown_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::vector<WPARAM> keysDown_;
};

}  // namespace driver
