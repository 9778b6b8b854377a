// The contract between Tandrel.exe and Hook.dll: the message the component sends for every
// activated top-level window, and the exports the program looks up by name.
#pragma once

#include <windows.h>

// Sent to the registered window; wParam is the window that has just become active.
constexpr UINT WM_WINDOWSWITCHED = WM_USER + 1;

using HookProcFunction = LRESULT(CALLBACK*)(int code, WPARAM wParam, LPARAM lParam);
using RegisterWindowFunction = void(WINAPI*)(HWND window);
using RegisterHookFunction = void(WINAPI*)(HHOOK hook);
