#include "ui/KeyCapture.h"

namespace ui {

KeyCapture* KeyCapture::current_ = nullptr;

KeyCapture::KeyCapture(HWND owner) : owner_(owner) {
  current_ = this;
  hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, HookProc, GetModuleHandleA(nullptr), 0);
  if (hook_ == nullptr) current_ = nullptr;
}

KeyCapture::~KeyCapture() { Unhook(); }

void KeyCapture::Unhook() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (current_ == this) current_ = nullptr;
}

LRESULT CALLBACK KeyCapture::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && current_ != nullptr &&
      current_->Take(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyCapture::Take(WPARAM message, const KBDLLHOOKSTRUCT& key) {
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (taken_ == 0) {
    if (!down) return false;  // a key held before the capture started is let go of normally
    taken_ = key.vkCode;
    PostMessageA(owner_, kKeyTakenMessage, key.vkCode, 0);
    return true;
  }
  if (key.vkCode != taken_) return false;
  // The taken key repeats while held; its release ends the capture.
  if (!down) Unhook();
  return true;
}

}  // namespace ui
