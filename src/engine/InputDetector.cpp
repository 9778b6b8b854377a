#include "engine/InputDetector.h"

#include "platform/Platform.h"

namespace {

constexpr int kMaxButtons = 32;
constexpr int kHatDirections = 4;

// The direction the hat points to most nearly (a diagonal counts as the one clockwise of it),
// or -1 when it is centred.
int HatDirection(std::uint32_t pov) {
  const std::optional<std::uint32_t> angle = seam::HatAngle(pov);
  if (!angle) return -1;
  return static_cast<int>((*angle + 4500) / 9000 % kHatDirections);
}

}  // namespace

CInputDetector::CInputDetector(const JoystickLiveLayout& layout, const JoystickLiveState& baseline)
    : axes_(layout.axes), start_(seam::Clock().TickCount()) {
  const int hatElements = layout.hasPov ? kHatDirections : 0;
  const int buttons = layout.buttonCount < kMaxButtons ? layout.buttonCount : kMaxButtons;
  for (int k = 1; k <= buttons; ++k) {
    inputs_.push_back({{DetectedInput::Kind::Button, k, false, k + hatElements}, false});
  }
  for (int d = 0; d < hatElements; ++d) {
    inputs_.push_back({{DetectedInput::Kind::HatDirection, d, false, d + 1}, false});
  }
  for (const LiveAxisLayout& axis : axes_) {
    for (bool towardsMax : {false, true}) {
      inputs_.push_back({{DetectedInput::Kind::AxisDirection, axis.index, towardsMax, 0}, false});
    }
  }
  for (Input& input : inputs_) input.armed = !IsDown(input, baseline);
}

bool CInputDetector::IsDown(const Input& input, const JoystickLiveState& state) const {
  const DetectedInput& what = input.what;
  switch (what.kind) {
    case DetectedInput::Kind::Button:
      return (state.buttons & (std::uint32_t{1} << (what.number - 1))) != 0;
    case DetectedInput::Kind::HatDirection:
      return HatDirection(state.pov) == what.number;
    case DetectedInput::Kind::AxisDirection:
      for (const LiveAxisLayout& axis : axes_) {
        if (axis.index != what.number) continue;
        const std::uint32_t position = SideReading(axis, state, what.towardsMax);
        return what.towardsMax ? position > axis.high : position < axis.low;
      }
      return false;
  }
  return false;
}

DetectionStatus CInputDetector::Update(const JoystickLiveState& state) {
  if (status_ != DetectionStatus::Detecting) return status_;
  for (Input& input : inputs_) {
    const bool down = IsDown(input, state);
    if (down && input.armed) {
      found_ = input.what;
      status_ = DetectionStatus::Found;
      return status_;
    }
    if (!down) input.armed = true;
  }
  if (seam::Clock().TickCount() - start_ >= kTimeoutMs) status_ = DetectionStatus::TimedOut;
  return status_;
}

void CInputDetector::Cancel() {
  if (status_ == DetectionStatus::Detecting) status_ = DetectionStatus::Cancelled;
}
