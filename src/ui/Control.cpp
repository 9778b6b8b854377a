#include "ui/Control.h"

void CControl::Show(bool visible) { ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }

RECT CControl::GetRect() {
  RECT rect = {};
  GetWindowRect(handle_, &rect);
  return rect;
}

void CControl::Move(int x, int y) {
  SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void CControl::Resize(int width, int height) {
  SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
}

void CControl::SetBounds(int left, int top, int right, int bottom) {
  SetWindowPos(handle_, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER);
}
