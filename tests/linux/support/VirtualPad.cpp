#include "VirtualPad.h"

#include <gtest/gtest.h>

#include "platform/Types.h"

VirtualPad::VirtualPad(std::string name, int axes, int buttons, bool hat, int triggerAxis)
    : name_(std::move(name)), axes_(axes), buttons_(buttons), hat_(hat), triggerAxis_(triggerAxis) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  Plug();
}

VirtualPad::~VirtualPad() {
  Unplug();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualPad::Plug() {
  if (handle_ != nullptr) return;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = static_cast<Uint16>(axes_);
  desc.nbuttons = static_cast<Uint16>(buttons_);
  desc.nhats = hat_ ? 1 : 0;
  desc.name = name_.c_str();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  handle_ = SDL_JoystickOpen(index);
  ASSERT_NE(handle_, nullptr) << SDL_GetError();
  // A stick at rest is centred, a trigger at its lowest end.
  for (int axis = 0; axis < axes_; ++axis) Axis(axis, axis == triggerAxis_ ? 0 : 32768);
}

void VirtualPad::Unplug() {
  if (handle_ == nullptr) return;
  const SDL_JoystickID instance = SDL_JoystickInstanceID(handle_);
  SDL_JoystickClose(handle_);
  handle_ = nullptr;
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (SDL_JoystickGetDeviceInstanceID(index) == instance) SDL_JoystickDetachVirtual(index);
  }
}

void VirtualPad::Button(int number, bool down) {
  SDL_JoystickSetVirtualButton(handle_, number - 1, down ? 1 : 0);
}

void VirtualPad::Axis(int index, std::uint32_t position) {
  SDL_JoystickSetVirtualAxis(handle_, index,
                             static_cast<Sint16>(static_cast<int>(position) - 32768));
}

void VirtualPad::Pov(std::uint32_t hundredths) {
  static const Uint8 kHats[] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                                SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP};
  const Uint8 hat =
      hundredths == seam::kPovCentered ? SDL_HAT_CENTERED : kHats[(hundredths / 4500) % 8];
  SDL_JoystickSetVirtualHat(handle_, 0, hat);
}
