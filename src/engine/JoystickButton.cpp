#include "engine/JoystickButton.h"

namespace {
std::uint32_t MaskOf(int number) {
  return number >= 1 && number <= 32 ? std::uint32_t{1} << (number - 1) : 0;
}
}  // namespace

CJoystickButton::CJoystickButton(CShiftButtonOwner* owner, int number, const char* name)
    : CJoystickButtonBase(owner, name), mask_(MaskOf(number)) {}

void CJoystickButton::Update(const seam::JoystickState& state) {
  if (!enabled_) return;
  if ((state.buttons & mask_) != 0) {
    if (!pressed_ && armed_) Press(nullptr);
  } else {
    armed_ = true;
    if (pressed_) Release(nullptr);
  }
}
