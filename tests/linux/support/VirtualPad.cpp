#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/Types.h"

const PadOrder kXpadOrder = {
    "xpad",
    "a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,back:b6,start:b7,guide:b8,leftstick:b9,"
    "rightstick:b10,leftx:a0,lefty:a1,lefttrigger:a2,rightx:a3,righty:a4,righttrigger:a5,"
    "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8"};
const PadOrder kPlayStationOrder = {
    "hid-playstation",
    "a:b0,b:b1,y:b2,x:b3,leftshoulder:b4,rightshoulder:b5,back:b8,start:b9,guide:b10,"
    "leftstick:b11,rightstick:b12,leftx:a0,lefty:a1,lefttrigger:a2,rightx:a3,righty:a4,"
    "righttrigger:a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8"};
const PadOrder kDirectInputOrder = {
    "DirectInput",
    "x:b0,a:b1,b:b2,y:b3,leftshoulder:b4,rightshoulder:b5,lefttrigger:b6,righttrigger:b7,"
    "back:b8,start:b9,leftstick:b10,rightstick:b11,leftx:a0,lefty:a1,rightx:a2,righty:a3,"
    "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8"};

VirtualPad::VirtualPad(std::string name, int axes, int buttons, bool hat, int triggerAxis)
    : name_(std::move(name)), axes_(axes), buttons_(buttons), hat_(hat), triggerAxis_(triggerAxis) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  Plug();
}

VirtualPad::VirtualPad(std::string name, const PadOrder& order, const seam::PadReading& initial)
    : name_(std::move(name)), axes_(0), buttons_(0), hat_(true), initial_(initial) {
  std::istringstream fields(order.mapping);
  for (std::string field; std::getline(fields, field, ',');) {
    const std::string input = field.substr(0, field.find(':'));
    const std::string bound = field.substr(field.find(':') + 1);
    order_[input] = bound;
    const int number = bound[0] == 'h' ? 0 : std::stoi(bound.substr(1)) + 1;
    (bound[0] == 'a' ? axes_ : buttons_) = std::max(bound[0] == 'a' ? axes_ : buttons_, number);
  }
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  Plug();
}

VirtualPad::~VirtualPad() {
  Unplug();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void VirtualPad::Plug() {
  if (handle_ != nullptr) return;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;  // a game controller only by a mapping of its own
  desc.naxes = static_cast<Uint16>(axes_);
  desc.nbuttons = static_cast<Uint16>(buttons_);
  desc.nhats = hat_ ? 1 : 0;
  desc.vendor_id = 0x1234;
  desc.product_id = static_cast<Uint16>(axes_ * 64 + buttons_);
  desc.name = name_.c_str();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  if (!order_.empty()) {
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
    std::string mapping = std::string(guid) + "," + name_ + ",";
    for (const auto& [input, bound] : order_) mapping += input + ":" + bound + ",";
    ASSERT_GE(SDL_GameControllerAddMapping((mapping + "platform:Linux,").c_str()), 0)
        << SDL_GetError();
  }
  // At rest: a stick centred, a trigger at its lowest end. SDL takes a device's first reading
  // as its initial state when it is opened afresh, so the rest is set before that.
  handle_ = SDL_JoystickOpen(index);
  ASSERT_NE(handle_, nullptr) << SDL_GetError();
  for (int axis = 0; axis < axes_; ++axis) Axis(axis, axis == triggerAxis_ ? 0 : 32768);
  if (!order_.empty()) Set(initial_);  // a pad's triggers let go: at their lowest end
  SDL_JoystickUpdate();
  SDL_JoystickClose(handle_);
  handle_ = SDL_JoystickOpen(index);
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

std::string VirtualPad::Bound(const char* input) const {
  const auto found = order_.find(input);
  return found == order_.end() ? std::string() : found->second;
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

void VirtualPad::Set(const seam::PadReading& r) {
  static const char* const kButtons[] = {
      "a",    "b",     "x",         "y",         "leftshoulder", "rightshoulder",
      "back", "start", "leftstick", "rightstick"};
  // A stick's -32768..32767 as the engine's 0..65535; a trigger's pull on a whole axis, or as a
  // button pressed from half way.
  const auto move = [&](const char* input, std::uint32_t position) {
    const std::string to = Bound(input);
    if (to.starts_with("a")) Axis(std::stoi(to.substr(1)), position);
    if (to.starts_with("b")) Button(std::stoi(to.substr(1)) + 1, position > 32768);
  };
  for (int k = 0; k < seam::kPadButtonCount; ++k) move(kButtons[k], (r.buttons >> k & 1) * 65535);
  move("leftx", static_cast<std::uint32_t>(r.leftX + 32768));
  move("lefty", static_cast<std::uint32_t>(r.leftY + 32768));
  move("rightx", static_cast<std::uint32_t>(r.rightX + 32768));
  move("righty", static_cast<std::uint32_t>(r.rightY + 32768));
  move("lefttrigger", r.leftTrigger * 65535 / seam::kTriggerFull);
  move("righttrigger", r.rightTrigger * 65535 / seam::kTriggerFull);
  SDL_JoystickSetVirtualHat(handle_, 0,
                            (r.up ? SDL_HAT_UP : 0) | (r.right ? SDL_HAT_RIGHT : 0) |
                                (r.down ? SDL_HAT_DOWN : 0) | (r.left ? SDL_HAT_LEFT : 0));
  SDL_JoystickUpdate();
}
