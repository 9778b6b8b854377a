#include "platform/PadLayout.h"

#include <algorithm>
#include <array>
#include <bit>

namespace seam {

namespace {

constexpr std::array<std::string_view, kPadButtonCount> kButtonNames = {
    "A",    "B",     "X",          "Y",          "Left Shoulder", "Right Shoulder",
    "Back", "Start", "Left Stick", "Right Stick"};

// A stick's -32768..32767 on the engine's 0..65535.
std::uint32_t StickPosition(std::int32_t value) {
  return static_cast<std::uint32_t>(std::clamp(value, -32768, 32767) + 32768);
}

}  // namespace

JoystickCaps PadCaps(std::string_view name) {
  JoystickCaps caps;  // every range 0..65535
  caps.caps = kCapsHasZ | kCapsHasR | kCapsHasU | kCapsHasPov;
  caps.numButtons = kPadButtonCount;
  caps.layout = ControllerLayout::Pad;
  SetProductName(caps, name);
  return caps;
}

JoystickState PadState(const PadReading& reading) {
  JoystickState state;
  state.xPos = StickPosition(reading.leftX);
  state.yPos = StickPosition(reading.leftY);
  state.uPos = StickPosition(reading.rightX);
  state.rPos = StickPosition(reading.rightY);
  state.vPos = 32767;  // no such axis: in the middle, as for any missing axis
  state.leftTrigger = std::min(reading.leftTrigger, kTriggerFull);
  state.rightTrigger = std::min(reading.rightTrigger, kTriggerFull);
  // Both triggers on one axis, as the joystick interface reports them: pressed together,
  // they cancel each other.
  state.zPos = TriggerOnZ(0, 65535, state.leftTrigger, true) +
               TriggerOnZ(0, 65535, state.rightTrigger, false) - 32767;
  state.buttons = reading.buttons & ((1u << kPadButtonCount) - 1);
  state.buttonNumber = static_cast<std::uint32_t>(std::popcount(state.buttons));
  state.pov = PovOfDirections(reading.up, reading.right, reading.down, reading.left);
  return state;
}

std::uint32_t TriggerOnZ(std::uint32_t min, std::uint32_t max, std::uint32_t pull,
                         bool towardsMax) {
  const std::uint64_t centre = (std::uint64_t{min} + max) / 2;
  const std::uint64_t share = std::min(pull, kTriggerFull);
  return static_cast<std::uint32_t>(towardsMax ? centre + (max - centre) * share / kTriggerFull
                                               : centre - (centre - min) * share / kTriggerFull);
}

std::uint32_t PovOfDirections(bool up, bool right, bool down, bool left) {
  const int x = (right ? 1 : 0) - (left ? 1 : 0);
  const int y = (up ? 1 : 0) - (down ? 1 : 0);
  // Clockwise from up, indexed by (y + 1) * 3 + (x + 1).
  constexpr std::array<std::uint32_t, 9> kAngles = {22500, 18000, 13500, 27000, kPovCentered,
                                                    9000,  31500, 0,     4500};
  return kAngles[static_cast<std::size_t>((y + 1) * 3 + (x + 1))];
}

std::string_view InputButtonName(ControllerLayout layout, int number) {
  if (layout != ControllerLayout::Pad || number < 1 || number > kPadButtonCount) return {};
  return kButtonNames[static_cast<std::size_t>(number - 1)];
}

std::string_view InputAxisName(ControllerLayout layout, int axisIndex, bool towardsMax) {
  if (layout != ControllerLayout::Pad) return {};
  switch (axisIndex) {
    case 0:
    case 1:
      return "Left Stick";
    case 2:
      return towardsMax ? "Left Trigger" : "Right Trigger";
    case 3:
    case 4:
      return "Right Stick";
    default:
      return {};
  }
}

std::string_view InputHatName(ControllerLayout layout) {
  return layout == ControllerLayout::Pad ? "D-pad" : "";
}

std::string PadInputsText() {
  std::string text;
  for (int k = 1; k <= kPadButtonCount; ++k) {
    text +=
        WithInputName("Button " + std::to_string(k), InputButtonName(ControllerLayout::Pad, k)) +
        ", ";
  }
  return text +
         "X and Y Axis (Left Stick), U and R Axis (Right Stick), Z Axis towards its max (Left "
         "Trigger) and towards its min (Right Trigger), POV (D-pad)";
}

std::string WithInputName(std::string text, std::string_view name) {
  if (!name.empty()) text.append(" (").append(name).append(")");
  return text;
}

}  // namespace seam
