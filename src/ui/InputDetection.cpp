#include "ui/InputDetection.h"

#include <commctrl.h>

#include "config/TandrelConfiguration.h"
#include "resource.h"

namespace ui {

namespace {

constexpr UINT_PTR kButtonSubclass = 1;

}  // namespace

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
  SetWindowSubclass(button_, ButtonProc, kButtonSubclass, reinterpret_cast<DWORD_PTR>(this));
  SetWindowTextA(button_, "Stop");
  SetFocus(button_);
  SetTimer(page_, kTimer, kRefreshMs, nullptr);
}

InputDetection::~InputDetection() {
  if (!detector_) return;
  KillTimer(page_, kTimer);
  RemoveWindowSubclass(button_, ButtonProc, kButtonSubclass);
  SetWindowTextA(button_, "Detect");
  configuration_.HoldBack(id_, false);
}

DetectionStatus InputDetection::Tick() {
  if (!detector_) return DetectionStatus::Cancelled;
  const std::optional<JoystickLiveState> state = configuration_.LiveState(id_);
  if (!state) {
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

LRESULT CALLBACK InputDetection::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR data) {
  auto* detection = reinterpret_cast<InputDetection*>(data);
  // The dialog manager would turn Esc into the window's Cancel: the button takes it instead.
  if (message == WM_GETDLGCODE && lParam != 0 &&
      reinterpret_cast<const MSG*>(lParam)->wParam == VK_ESCAPE) {
    return DLGC_WANTMESSAGE;
  }
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    detection->Cancel();
    return 0;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace ui
