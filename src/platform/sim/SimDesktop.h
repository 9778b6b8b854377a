// A simulated desktop: keyboard repeat settings, screen size and the cursor.
#pragma once

#include <mutex>

#include "platform/Platform.h"

namespace seam {

class SimDesktop : public IDesktop {
 public:
  SimDesktop();

  int KeyboardDelay() override;
  int KeyboardSpeed() override;
  int FullScreenWidth() override;
  int FullScreenHeight() override;
  bool GetCursorPos(int& x, int& y) override;

  void SetKeyboardDelay(int delay);
  void SetKeyboardSpeed(int speed);
  // Changes the screen size (at least 1 x 1) and brings the cursor back onto the screen.
  void SetScreenSize(int width, int height);
  // Places the cursor; it stays on the screen (0..W-1, 0..H-1) as a real cursor does.
  void SetCursorPos(int x, int y);
  void MoveCursorBy(int dx, int dy);
  // Places the cursor from the mouse event's absolute coordinates, 0..65535 on each axis
  // spread over the screen.
  void PlaceCursorAbsolute(int ax, int ay);

 private:
  void ClampCursor();  // Requires lock_.

  std::mutex lock_;  // guards every field below
  int delay_ = 1;
  int speed_ = 31;
  int width_ = 1920;
  int height_ = 1080;
  int cursorX_ = 960;
  int cursorY_ = 540;
};

}  // namespace seam
