// Hook.dll: a system-wide shell hook that tells Tandrel's main window which top-level window
// has just become active. The system loads this library into every process whose windows it
// hooks, so the registered window and hook handle live in a section shared by all of them.

#include "HookApi.h"

namespace {
// Written by Tandrel through the exports, read by every copy of the library.
HWND g_window __attribute__((section(".shared"), shared)) = nullptr;
HHOOK g_hook __attribute__((section(".shared"), shared)) = nullptr;
}  // namespace

extern "C" {

__declspec(dllexport) LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HSHELL_WINDOWACTIVATED || code == HSHELL_RUDEAPPACTIVATED) {
    HWND window = g_window;
    // Posted, not sent: the activation of another program must never wait for Tandrel, for
    // instance while Tandrel shows a message box.
    if (window != nullptr) PostMessageA(window, WM_WINDOWSWITCHED, wParam, 0);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

__declspec(dllexport) void WINAPI RegisterWindow(HWND window) { g_window = window; }

__declspec(dllexport) void WINAPI RegisterHook(HHOOK hook) { g_hook = hook; }

}  // extern "C"
