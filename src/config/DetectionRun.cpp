#include "config/DetectionRun.h"

#include "config/TandrelConfiguration.h"

namespace config {

DetectionRun::DetectionRun(CTandrelConfiguration& configuration, int id)
    : configuration_(configuration), id_(id) {
  const std::optional<JoystickLiveLayout> layout = configuration_.LiveLayout(id_);
  const std::optional<JoystickLiveState> baseline = Reading();
  if (!layout || !baseline) return;
  // Held back first: whatever the controller holds now is released, and the baseline taken
  // after it counts what is still held as down, so it has to be released before it counts.
  configuration_.HoldBack(id_, true);
  detector_ = std::make_unique<CInputDetector>(*layout, Reading().value_or(*baseline));
}

DetectionRun::~DetectionRun() {
  if (detector_) configuration_.HoldBack(id_, false);
}

DetectionStatus DetectionRun::Tick() {
  if (!detector_) return DetectionStatus::Cancelled;
  const std::optional<JoystickLiveState> state = Reading();
  if (!state) {
    if (detector_->Status() == DetectionStatus::Detecting) unplugged_ = true;
    detector_->Cancel();  // the controller went away
    return detector_->Status();
  }
  return detector_->Update(*state);
}

std::optional<JoystickLiveState> DetectionRun::Reading() {
  configuration_.ReadIdle(id_);  // a controller without a profile has no poll that reads it
  return configuration_.LiveState(id_);
}

void DetectionRun::Cancel() {
  if (detector_) detector_->Cancel();
}

const std::optional<DetectedInput>& DetectionRun::Found() const {
  static const std::optional<DetectedInput> none;
  return detector_ ? detector_->Found() : none;
}

}  // namespace config
