// "Detect" on the Profile page: the next button, axis direction or hat direction pressed on
// the chosen controller selects its entry in the element list. While it lasts the controller's
// actions are held back (the engine first releases whatever the controller held, then fires
// nothing), the page reads the controller on its own timer, and Esc stops it wherever the focus
// is (and does nothing else: the window stays open). It ends with the input found, Esc or
// "Stop", 10 s without input, the controller pulled out, or when the page hides or goes; the end
// (the object's) lets the controller act again. Main thread only.
#pragma once

#include <windows.h>

#include <optional>

#include "config/DetectionRun.h"

class CTandrelConfiguration;

namespace ui {

class InputDetection {
 public:
  static constexpr UINT_PTR kTimer = 7;  // of the page
  static constexpr UINT kRefreshMs = 33;

  // Starts on controller `id` for `page` (which has IDC_PROF_DETECT). Active() is false when the
  // controller gives no reading; nothing is held back then.
  InputDetection(CTandrelConfiguration& configuration, int id, HWND page);
  ~InputDetection();
  InputDetection(const InputDetection&) = delete;
  InputDetection& operator=(const InputDetection&) = delete;

  bool Active() const { return run_.Active(); }
  // The page's timer fired: reads the controller. Anything but Detecting means it has ended.
  DetectionStatus Tick();
  void Cancel();
  const std::optional<DetectedInput>& Found() const;
  // It ended because the controller was pulled out.
  bool Unplugged() const { return run_.Unplugged(); }

 private:
  // The dialog's own message loop shows every message to this filter before the dialog manager,
  // which would turn Esc into the window's Cancel: the waiting detection takes it instead.
  static LRESULT CALLBACK EscapeFilter(int code, WPARAM wParam, LPARAM message);
  static InputDetection* waiting_;  // the one that takes Esc; main thread only

  config::DetectionRun run_;  // the hold-back ends after the window's part
  const HWND page_;
  HWND button_;
  HHOOK filter_ = nullptr;
};

}  // namespace ui
