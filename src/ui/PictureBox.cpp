#include "ui/PictureBox.h"

#include <utility>

namespace ui {

void PictureBox::Show(const std::string& path) {
  ShowWindow(control_, SW_HIDE);
  BitmapHandle bitmap;
  if (!path.empty()) {
    bitmap.reset(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                   LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_DEFAULTSIZE | LR_LOADMAP3DCOLORS)));
  }
  // The old bitmap goes only after the control has let go of it. A control that drew a copy of
  // our bitmap (32-bit pictures under visual styles) hands that copy back, and it is ours.
  const auto previous = reinterpret_cast<HBITMAP>(
      SendMessageA(control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
  if (previous != nullptr && previous != bitmap_.get()) DeleteObject(previous);
  bitmap_ = std::move(bitmap);
  ShowWindow(control_, SW_SHOW);
}

}  // namespace ui
