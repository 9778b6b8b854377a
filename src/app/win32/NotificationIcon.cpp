#include "app/win32/NotificationIcon.h"

#include <cstring>

#include "resource.h"

CNotificationIcon::CNotificationIcon(HWND owner, HINSTANCE instance) {
  // The first form of the record: every shell understands it.
  record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record_.hWnd = owner;
  record_.uID = ID_TRAY_ICON;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = WM_TRAYNOTIFY;
  record_.hIcon = static_cast<HICON>(LoadImageA(instance, IDI_JOY_NAME, IMAGE_ICON, 16, 16, 0));
  std::strncpy(record_.szTip, "Tandrel", sizeof(record_.szTip) - 1);
  Restore();
}

void CNotificationIcon::Restore() { Shell_NotifyIconA(NIM_ADD, &record_); }

CNotificationIcon::~CNotificationIcon() {
  Shell_NotifyIconA(NIM_DELETE, &record_);
  if (record_.hIcon != nullptr) DestroyIcon(record_.hIcon);
}
