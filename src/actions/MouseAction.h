// Mouse movement in one direction. Relative mode moves the cursor on a periodic timer with a
// speed that grows over time (acceleration), scaled by the speed factor. Absolute mode places
// the cursor at an offset from the screen centre proportional to the speed factor, summed
// with the offsets of every other absolute action (CAbsoluteMousePlacement). Stored as a
// "MouseAction" element.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "actions/Action.h"

class CMouseAction final : public CAction {
 public:
  static constexpr int kDefaultAcceleration = 20;
  static constexpr int kDefaultDelay = 30;
  static constexpr int kDefaultSpeed = 70;

  // direction: degrees clockwise from up (0 up, 90 right, 180 down, 270 left).
  CMouseAction(PushType type, bool absolute, int delay, int speed, int acceleration, int direction,
               const char* name);
  CMouseAction(const CMouseAction& other);
  ~CMouseAction() override;

  int GetDirection() const;
  void SetDirection(int direction);
  // The direction within 0..359 that moves the same way as `degrees`.
  static int NormalDirection(long long degrees);
  int GetDelay() const { return delay_; }
  void SetDelay(int delay) { delay_ = delay; }
  int GetSpeed() const { return speed_; }
  void SetSpeed(int speed) { speed_ = speed; }
  int GetAcceleration() const { return acceleration_; }
  void SetAcceleration(int acceleration) { acceleration_ = acceleration; }
  bool IsAbsolute() const { return absolute_; }
  void SetAbsolute(bool absolute) { absolute_ = absolute; }

  // This action's contribution in absolute mode, in pixels, as of its last step.
  double GetOffsetX() const;
  double GetOffsetY() const;

  void OnTimer() override;
  std::unique_ptr<CAction> Clone() const override;
  bool IsEqual(const CAction* other) const override;
  const char* ElementName() const override { return "MouseAction"; }
  void Start(CMouseSpeedData* speed) override;
  void Stop(CMouseSpeedData* speed) override;
  void WriteAttributes(CXMLNode* element) const override;

 private:
  void Step();  // requires the run lock
  void StepRelative(double factor);
  void StepAbsolute(double factor);

  int acceleration_;
  int delay_;  // timer period, ms
  int speed_;  // pixels per second at factor 100
  int angle_;  // the direction minus 90, kept in 0..359 for directions 0..359

  // Run-time state, guarded by the run lock.
  std::uint32_t movementStart_ = 0;  // tick count of the first Start of the current run
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  double carryX_ = 0.0;  // fractions of pixels not yet sent (relative mode)
  double carryY_ = 0.0;
  bool absolute_;
  std::optional<double> heldSpeed_;  // the factor of the last Start, if it came with one
};

// Reads a "MouseAction" element; null (after its message) when the element is rejected.
std::unique_ptr<CAction> ReadMouseAction(const CXMLNode* element);
