#include "engine/JoystickAxisProperties.h"

#include <algorithm>

CJoystickAxisProperties::CJoystickAxisProperties(int axisIndex, std::uint32_t min,
                                                 std::uint32_t max, int threshold)
    : threshold_(0), min_(min), max_(max), position_(0), axisIndex_(axisIndex) {
  SetThreshold(threshold);
  ResetPosition();
}

void CJoystickAxisProperties::SetThreshold(int threshold) {
  const std::int64_t range =
      max_ >= min_ ? static_cast<std::int64_t>(max_) - static_cast<std::int64_t>(min_) : 0;
  threshold_ = static_cast<int>(
      std::clamp<std::int64_t>(threshold, 0, std::min<std::int64_t>(range, INT32_MAX)));
}

std::uint32_t CJoystickAxisProperties::Centre() const {
  return static_cast<std::uint32_t>((std::uint64_t{min_} + max_) / 2);
}

std::uint32_t CJoystickAxisProperties::High() const {
  return static_cast<std::uint32_t>((std::uint64_t{min_} + max_ + threshold_) / 2);
}

std::uint32_t CJoystickAxisProperties::Low() const {
  // threshold_ <= max - min, so the difference never goes below min + min.
  return static_cast<std::uint32_t>((std::uint64_t{min_} + max_ - threshold_) / 2);
}

std::uint32_t CJoystickAxisProperties::ResetPosition() {
  position_ = Centre();
  return position_;
}

std::unique_ptr<CJoystickAxisProperties> CJoystickAxisProperties::Clone() const {
  return std::make_unique<CJoystickAxisProperties>(*this);
}
