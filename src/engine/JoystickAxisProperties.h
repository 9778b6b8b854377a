// The range, dead zone, jitter filter and last evaluated position of one axis.
//
// The dead zone lies around the centre of the range: high = (min + max + threshold) / 2 and
// low = (min + max - threshold) / 2, both in integers (for the usual minimum 0 these are
// min + (max + threshold) / 2 and min + (max - threshold) / 2). A threshold wider than the
// range would make low wrap around in unsigned arithmetic and every position count as a full
// deflection, so the threshold is kept within 0..max - min: SetThreshold clamps it, and a
// threshold equal to the range leaves the whole travel in the dead zone.
#pragma once

#include <cstdint>
#include <memory>

class CJoystickAxisProperties {
 public:
  static constexpr int kDefaultThreshold = 1000;
  static constexpr int kDefaultSensitivity = 100;

  // axisIndex 0..5 for X, Y, Z, R, U, V.
  CJoystickAxisProperties(int axisIndex, std::uint32_t min, std::uint32_t max,
                          int threshold = kDefaultThreshold);
  virtual ~CJoystickAxisProperties() = default;
  CJoystickAxisProperties(const CJoystickAxisProperties&) = default;
  CJoystickAxisProperties& operator=(const CJoystickAxisProperties&) = default;

  int GetThreshold() const { return threshold_; }
  // Clamped to 0..max - min.
  void SetThreshold(int threshold);
  int GetSensitivity() const { return sensitivity_; }
  void SetSensitivity(int sensitivity) { sensitivity_ = sensitivity; }
  std::uint32_t GetMin() const { return min_; }
  std::uint32_t GetMax() const { return max_; }
  std::uint32_t GetPosition() const { return position_; }
  void SetPosition(std::uint32_t position) { position_ = position; }
  int GetAxisIndex() const { return axisIndex_; }
  // Puts the position back to the centre and returns it.
  std::uint32_t ResetPosition();

  std::uint32_t Centre() const;
  // Positions above High() deflect towards max, positions below Low() towards min.
  std::uint32_t High() const;
  std::uint32_t Low() const;

  std::unique_ptr<CJoystickAxisProperties> Clone() const;

 private:
  int threshold_;
  int sensitivity_ = kDefaultSensitivity;
  std::uint32_t min_;
  std::uint32_t max_;
  std::uint32_t position_;
  int axisIndex_;
};
