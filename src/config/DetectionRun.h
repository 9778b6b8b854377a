// "Detect" of the configuration window, apart from the window: the chosen controller held back
// for as long as the object lives (what it held is released first, then it fires nothing), and a
// CInputDetector fed its live state on each of the window's timer ticks. The windows add their
// timer, the Esc key and the texts (src/ui/InputDetection on Windows, src/qt/ProfilesPage on
// Linux). Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "engine/InputDetector.h"

class CTandrelConfiguration;

namespace config {

class DetectionRun {
 public:
  // Active() is false when controller `id` gives no reading; nothing is held back then.
  DetectionRun(CTandrelConfiguration& configuration, int id);
  ~DetectionRun();  // the controller acts again
  DetectionRun(const DetectionRun&) = delete;
  DetectionRun& operator=(const DetectionRun&) = delete;

  bool Active() const { return detector_ != nullptr; }
  // Reads the controller: anything but Detecting means it has ended (Cancelled when inactive).
  DetectionStatus Tick();
  void Cancel();
  const std::optional<DetectedInput>& Found() const;
  // It ended because the controller was pulled out.
  bool Unplugged() const { return unplugged_; }

 private:
  // The controller's live state, read from the device while the controller is idle.
  std::optional<JoystickLiveState> Reading();

  CTandrelConfiguration& configuration_;
  const int id_;
  bool unplugged_ = false;
  std::unique_ptr<CInputDetector> detector_;
};

}  // namespace config
