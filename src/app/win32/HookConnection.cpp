#include "app/win32/HookConnection.h"

#include "HookApi.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Files.h"

CHookConnection::CHookConnection(const std::string& path, HWND window) {
  // Wide, with the long-path prefix: the program's folder may be deep, or not in the system's
  // code page. (Wine cannot set the global hook from a module path over 260 characters.)
  module_ = LoadLibraryW(seam::WidePath(path).c_str());
  if (module_ != nullptr && Connect(window)) return;
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
  seam::ShowError("Couldn't load the Hook dll, automatic profile switching will be turned off.",
                  "Error");
}

namespace {

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool CHookConnection::Connect(HWND window) {
  auto registerWindow = Export<RegisterWindowFunction>(module_, "RegisterWindow");
  auto registerHook = Export<RegisterHookFunction>(module_, "RegisterHook");
  auto hookProc = Export<HookProcFunction>(module_, "HookProc");
  if (registerWindow == nullptr || registerHook == nullptr || hookProc == nullptr) return false;
  hook_ = SetWindowsHookExA(WH_SHELL, hookProc, module_, 0);
  if (hook_ == nullptr) return false;
  registerWindow(window);
  registerHook(hook_);
  return true;
}

CHookConnection::~CHookConnection() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (module_ != nullptr) FreeLibrary(module_);
}
