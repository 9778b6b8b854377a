// The speed factor that axis inputs hand to the actions they press: a percentage of the
// action's configured speed (100 the configured speed, 0 standing still). Buttons pass no
// object at all, which means full speed. Only mouse movement reads it.
#pragma once

#include <memory>

class CMouseSpeedData {
 public:
  explicit CMouseSpeedData(double speed) : speed_(speed) {}
  virtual ~CMouseSpeedData() = default;

  double GetSpeed() const { return speed_; }
  virtual std::unique_ptr<CMouseSpeedData> Clone() const {
    return std::make_unique<CMouseSpeedData>(speed_);
  }

 private:
  double speed_;
};
