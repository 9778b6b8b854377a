#include "ui/InputDetection.h"

#include "config/TandrelConfiguration.h"
#include "resource.h"

namespace ui {

InputDetection* InputDetection::waiting_ = nullptr;

InputDetection::InputDetection(CTandrelConfiguration& configuration, int id, HWND page)
    : configuration_(configuration),
      id_(id),
      page_(page),
      button_(GetDlgItem(page, IDC_PROF_DETECT)) {
  const std::optional<JoystickLiveLayout> layout = configuration_.LiveLayout(id_);
  const std::optional<JoystickLiveState> baseline = configuration_.LiveState(id_);
  if (!layout || !baseline) return;
  // Held back first: whatever the controller holds now is released, and the baseline taken
  // after it counts what is still held as down, so it has to be released before it counts.
  configuration_.HoldBack(id_, true);
  detector_ =
      std::make_unique<CInputDetector>(*layout, configuration_.LiveState(id_).value_or(*baseline));
  waiting_ = this;
  filter_ = SetWindowsHookExW(WH_MSGFILTER, EscapeFilter, nullptr, GetCurrentThreadId());
  SetWindowTextA(button_, "Stop");
  SetFocus(button_);
  SetTimer(page_, kTimer, kRefreshMs, nullptr);
}

InputDetection::~InputDetection() {
  if (!detector_) return;
  KillTimer(page_, kTimer);
  if (filter_ != nullptr) UnhookWindowsHookEx(filter_);
  if (waiting_ == this) waiting_ = nullptr;
  SetWindowTextA(button_, "Detect");
  configuration_.HoldBack(id_, false);
}

DetectionStatus InputDetection::Tick() {
  if (!detector_) return DetectionStatus::Cancelled;
  const std::optional<JoystickLiveState> state = configuration_.LiveState(id_);
  if (!state) {
    if (detector_->Status() == DetectionStatus::Detecting) unplugged_ = true;
    detector_->Cancel();  // the controller went away
    return detector_->Status();
  }
  return detector_->Update(*state);
}

void InputDetection::Cancel() {
  if (detector_) detector_->Cancel();
}

const std::optional<DetectedInput>& InputDetection::Found() const {
  static const std::optional<DetectedInput> none;
  return detector_ ? detector_->Found() : none;
}

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
