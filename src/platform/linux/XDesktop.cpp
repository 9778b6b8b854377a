#include "platform/linux/XDesktop.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>

#include "platform/linux/XConnection.h"

namespace seam {

int XDesktop::DelaySettingFor(unsigned delayMs) {
  // Setting d waits (d + 1) * 250 ms.
  return std::clamp(static_cast<int>(std::lround(delayMs / 250.0)) - 1, 0, 3);
}

int XDesktop::SpeedSettingFor(unsigned intervalMs) {
  // Setting s repeats every 400 - 12 s ms.
  return std::clamp(static_cast<int>(std::lround((400.0 - intervalMs) / 12.0)), 0, 31);
}

bool XDesktop::RepeatRate(unsigned& delayMs, unsigned& intervalMs) {
  auto lock = connection_.Lock();
  if (connection_.Lost()) return false;
  return XkbGetAutoRepeatRate(connection_.display(), XkbUseCoreKbd, &delayMs, &intervalMs);
}

int XDesktop::KeyboardDelay() {
  unsigned delay = 0, interval = 0;
  return RepeatRate(delay, interval) ? DelaySettingFor(delay) : 1;
}

int XDesktop::KeyboardSpeed() {
  unsigned delay = 0, interval = 0;
  return RepeatRate(delay, interval) ? SpeedSettingFor(interval) : 31;
}

int XDesktop::FullScreenWidth() {
  auto lock = connection_.Lock();
  Display* display = connection_.display();
  return connection_.Lost() ? 0 : DisplayWidth(display, DefaultScreen(display));
}

int XDesktop::FullScreenHeight() {
  auto lock = connection_.Lock();
  Display* display = connection_.display();
  return connection_.Lost() ? 0 : DisplayHeight(display, DefaultScreen(display));
}

bool XDesktop::GetCursorPos(int& x, int& y) {
  auto lock = connection_.Lock();
  if (connection_.Lost()) return false;
  Display* display = connection_.display();
  Window root = 0, child = 0;
  int windowX = 0, windowY = 0;
  unsigned mask = 0;
  return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                       &windowY, &mask);
}

}  // namespace seam
