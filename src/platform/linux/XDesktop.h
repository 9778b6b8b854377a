// Desktop settings and geometry from the X server: the keyboard's repeat delay and rate as XKB
// has them, expressed in the Windows settings the engine reads (delay 0..3 for 250..1000 ms,
// speed 0..31 for 400..28 ms between repeats; the nearest of each), the screen's size and the
// pointer's position.
#pragma once

#include "platform/Platform.h"

namespace seam {

class XConnection;

class XDesktop : public IDesktop {
 public:
  explicit XDesktop(XConnection& connection) : connection_(connection) {}

  int KeyboardDelay() override;
  int KeyboardSpeed() override;
  int FullScreenWidth() override;
  int FullScreenHeight() override;
  bool GetCursorPos(int& x, int& y) override;

  // The settings nearest to a repeat delay and interval in milliseconds.
  static int DelaySettingFor(unsigned delayMs);
  static int SpeedSettingFor(unsigned intervalMs);

 private:
  // The server's repeat delay and interval; false when XKB cannot tell.
  bool RepeatRate(unsigned& delayMs, unsigned& intervalMs);

  XConnection& connection_;
};

}  // namespace seam
