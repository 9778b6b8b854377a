#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <cmath>

namespace seam {

namespace {
// Absolute mouse coordinates are 0..65535 per axis. The inverse of the encoding the mouse
// action uses (coordinate = round(pixel / size * 65535)), so a round trip lands on the pixel
// it came from; 65535 itself would give `size` and is kept on the screen by the clamp.
int AbsoluteToPixel(int absolute, int size) {
  const long long a = std::clamp(absolute, 0, 65535);
  return static_cast<int>((a * size + 32767) / 65535);
}
}  // namespace

SimDesktop::SimDesktop() = default;

int SimDesktop::KeyboardDelay() {
  std::lock_guard guard(lock_);
  return delay_;
}

int SimDesktop::KeyboardSpeed() {
  std::lock_guard guard(lock_);
  return speed_;
}

int SimDesktop::FullScreenWidth() {
  std::lock_guard guard(lock_);
  return width_;
}

int SimDesktop::FullScreenHeight() {
  std::lock_guard guard(lock_);
  return height_;
}

bool SimDesktop::GetCursorPos(int& x, int& y) {
  std::lock_guard guard(lock_);
  x = cursorX_;
  y = cursorY_;
  return true;
}

void SimDesktop::SetKeyboardDelay(int delay) {
  std::lock_guard guard(lock_);
  delay_ = delay;
}

void SimDesktop::SetKeyboardSpeed(int speed) {
  std::lock_guard guard(lock_);
  speed_ = speed;
}

void SimDesktop::SetScreenSize(int width, int height) {
  std::lock_guard guard(lock_);
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  ClampCursor();
}

void SimDesktop::SetCursorPos(int x, int y) {
  std::lock_guard guard(lock_);
  cursorX_ = x;
  cursorY_ = y;
  ClampCursor();
}

void SimDesktop::MoveCursorBy(int dx, int dy) {
  std::lock_guard guard(lock_);
  // Wide arithmetic: a huge relative move must clamp, not wrap.
  const long long x = static_cast<long long>(cursorX_) + dx;
  const long long y = static_cast<long long>(cursorY_) + dy;
  cursorX_ = static_cast<int>(std::clamp<long long>(x, 0, width_ - 1));
  cursorY_ = static_cast<int>(std::clamp<long long>(y, 0, height_ - 1));
}

void SimDesktop::PlaceCursorAbsolute(int ax, int ay) {
  std::lock_guard guard(lock_);
  cursorX_ = AbsoluteToPixel(ax, width_);
  cursorY_ = AbsoluteToPixel(ay, height_);
  ClampCursor();
}

void SimDesktop::ClampCursor() {
  cursorX_ = std::clamp(cursorX_, 0, width_ - 1);
  cursorY_ = std::clamp(cursorY_, 0, height_ - 1);
}

}  // namespace seam
