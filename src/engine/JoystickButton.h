// A numbered button of a controller (1..32), read from the button bits of each poll record.
#pragma once

#include <cstdint>

#include "engine/JoystickButtonBase.h"

class CJoystickButton : public CJoystickButtonBase {
 public:
  // Numbers outside 1..32 give a button that never reads as down.
  CJoystickButton(CShiftButtonOwner* owner, int number, const char* name);
  ~CJoystickButton() override = default;

  // A press counts only once the button has been seen up: a button already held when the
  // element is created does nothing until it is released and pressed again.
  void Update(const seam::JoystickState& state) override;
  // The armed rule again: the button counts once it has been seen up.
  void AwaitRelease() override { armed_ = false; }
  bool IsHeldIn(const seam::JoystickState& state) const override {
    return (state.buttons & mask_) != 0;
  }

  std::uint32_t GetMask() const { return mask_; }
  bool IsArmed() const { return armed_; }

 private:
  std::uint32_t mask_;
  bool armed_ = false;
};
