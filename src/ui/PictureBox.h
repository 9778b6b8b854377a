// A bitmap static control that shows a picture file and owns the bitmap it shows.
#pragma once

#include <windows.h>

#include <string>

#include "ui/GdiHandles.h"

namespace ui {

class PictureBox {
 public:
  PictureBox() = default;
  explicit PictureBox(HWND control) : control_(control) {}

  // Shows the bitmap of a file (empty path: nothing). A file that does not load shows nothing.
  void Show(const std::string& path);

 private:
  HWND control_ = nullptr;
  BitmapHandle bitmap_;  // the bitmap the control shows; deleted only once replaced there
};

}  // namespace ui
