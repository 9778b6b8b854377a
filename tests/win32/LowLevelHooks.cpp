#include "LowLevelHooks.h"

namespace {
LowLevelHooks* g_active = nullptr;  // the one instance; hooks run on its thread
}

LowLevelHooks::LowLevelHooks() {
  g_active = this;
  const HINSTANCE module = GetModuleHandleA(nullptr);
  keyboard_ = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
  mouse_ = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, module, 0);
}

LowLevelHooks::~LowLevelHooks() {
  if (keyboard_ != nullptr) UnhookWindowsHookEx(keyboard_);
  if (mouse_ != nullptr) UnhookWindowsHookEx(mouse_);
  g_active = nullptr;
}

LRESULT CALLBACK LowLevelHooks::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_active != nullptr) {
    g_active->keys.push_back({wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelHooks::MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_active != nullptr) {
    g_active->mice.push_back({wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}
