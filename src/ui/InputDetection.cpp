#include "ui/InputDetection.h"

#include "config/TandrelConfiguration.h"
#include "resource.h"

namespace ui {

InputDetection* InputDetection::waiting_ = nullptr;

InputDetection::InputDetection(CTandrelConfiguration& configuration, int id, HWND page)
    : run_(configuration, id), page_(page), button_(GetDlgItem(page, IDC_PROF_DETECT)) {
  if (!run_.Active()) return;
  waiting_ = this;
  filter_ = SetWindowsHookExW(WH_MSGFILTER, EscapeFilter, nullptr, GetCurrentThreadId());
  SetWindowTextA(button_, "Stop");
  SetFocus(button_);
  SetTimer(page_, kTimer, kRefreshMs, nullptr);
}

InputDetection::~InputDetection() {
  if (!run_.Active()) return;
  KillTimer(page_, kTimer);
  if (filter_ != nullptr) UnhookWindowsHookEx(filter_);
  if (waiting_ == this) waiting_ = nullptr;
  SetWindowTextA(button_, "Detect");
}

DetectionStatus InputDetection::Tick() { return run_.Tick(); }

void InputDetection::Cancel() { run_.Cancel(); }

const std::optional<DetectedInput>& InputDetection::Found() const { return run_.Found(); }

LRESULT CALLBACK InputDetection::EscapeFilter(int code, WPARAM wParam, LPARAM message) {
  const MSG& msg = *reinterpret_cast<const MSG*>(message);
  if (code == MSGF_DIALOGBOX && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE &&
      waiting_ != nullptr) {
    waiting_->Cancel();
    return TRUE;  // handled: the dialog manager never sees it
  }
  return CallNextHookEx(nullptr, code, wParam, message);
}

}  // namespace ui
