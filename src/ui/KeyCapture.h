// "Press a key": takes the next key pressed on the keyboard, whatever window has the focus, and
// gives it to no other program, the Windows key, Tab, Esc and Alt included (the dialog manager
// and the shell never see them). It is a low-level keyboard hook, installed only while the
// capture waits and until the taken key is released again (the release is swallowed too, so no
// program sees half a keystroke). The key reaches the owner window as kKeyTakenMessage with the
// virtual-key code in wParam, after the hook has returned.
//
// Main thread only: the system runs the hook on the thread that installed it, inside its
// message loop. At most one capture may exist at a time: the key panel ends one before it
// starts the next.
#pragma once

#include <windows.h>

namespace ui {

class KeyCapture {
 public:
  static constexpr UINT kKeyTakenMessage = WM_APP + 20;

  // Starts waiting; Active() is false when the hook could not be installed.
  explicit KeyCapture(HWND owner);
  // Removes the hook: nothing more is taken or swallowed.
  ~KeyCapture();
  KeyCapture(const KeyCapture&) = delete;
  KeyCapture& operator=(const KeyCapture&) = delete;

  // Still waiting for a key.
  bool Waiting() const { return hook_ != nullptr && taken_ == 0; }
  bool Active() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  // True when the event is swallowed.
  bool Take(WPARAM message, const KBDLLHOOKSTRUCT& key);
  void Unhook();

  static KeyCapture* current_;  // the capture the hook serves; main thread only
  const HWND owner_;
  HHOOK hook_ = nullptr;
  DWORD taken_ = 0;  // the taken key, until its release
};

}  // namespace ui
