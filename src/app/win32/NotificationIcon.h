// The program's icon in the notification area. Clicks on it reach the owner window as
// WM_TRAYNOTIFY with the icon's identifier in wParam and the mouse message in lParam.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

constexpr UINT WM_TRAYNOTIFY = WM_USER;

class CNotificationIcon {
 public:
  // Adds the icon; failing to add it is not an error (the program runs on without it).
  CNotificationIcon(HWND owner, HINSTANCE instance);
  // Deletes the icon.
  ~CNotificationIcon();
  // Adds the icon again: a restarted shell has lost it and says so with "TaskbarCreated".
  void Restore();
  CNotificationIcon(const CNotificationIcon&) = delete;
  CNotificationIcon& operator=(const CNotificationIcon&) = delete;

 private:
  NOTIFYICONDATAA record_ = {};
};
