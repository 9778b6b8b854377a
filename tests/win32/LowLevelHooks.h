// Low-level keyboard and mouse hooks installed in the test process: they see every input
// event the system receives, with the injected flag on synthetic ones. The hook procedures
// run on the installing thread while it pumps messages.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct SeenKey {
  WPARAM message;
  KBDLLHOOKSTRUCT info;
};
struct SeenMouse {
  WPARAM message;
  MSLLHOOKSTRUCT info;
};

class LowLevelHooks {
 public:
  LowLevelHooks();
  ~LowLevelHooks();
  LowLevelHooks(const LowLevelHooks&) = delete;
  LowLevelHooks& operator=(const LowLevelHooks&) = delete;

  bool installed() const { return keyboard_ != nullptr && mouse_ != nullptr; }
  // Only touched on the installing thread, so no lock.
  std::vector<SeenKey> keys;
  std::vector<SeenMouse> mice;

 private:
  static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);

  HHOOK keyboard_ = nullptr;
  HHOOK mouse_ = nullptr;
};

// Pumps this thread's messages until `done` holds or `timeoutMs` has passed; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
