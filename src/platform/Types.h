// Core-side records and constants for everything the engine receives from or sends to the
// system. They mirror the few fields of the Windows structures that the engine reads, so the
// core never needs a system header; the Win32 adapters translate to and from the real ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace seam {

// Capability flags of a controller (same values as the multimedia joystick interface).
constexpr std::uint32_t kCapsHasZ = 0x01;
constexpr std::uint32_t kCapsHasR = 0x02;
constexpr std::uint32_t kCapsHasU = 0x04;
constexpr std::uint32_t kCapsHasV = 0x08;
constexpr std::uint32_t kCapsHasPov = 0x10;

// POV angle reported when the hat is centred.
constexpr std::uint32_t kPovCentered = 0xFFFF;

// The direction a hat reading points to, in hundredths of a degree clockwise from forward
// (0..35999); none when the hat is centred. A reading that is no direction (a driver's or a
// stand-in's value beyond 35999) counts as centred, everywhere the program reads a hat.
constexpr std::optional<std::uint32_t> HatAngle(std::uint32_t pov) {
  if (pov >= 36000) return std::nullopt;
  return pov;
}

constexpr int kMaxJoysticks = 16;
constexpr int kProductNameSize = 32;  // includes the terminating zero

// How a controller presents its inputs.
enum class ControllerLayout : std::uint8_t {
  // As the device numbers them; the inputs have numbers only.
  Joystick,
  // An Xbox-style pad read through a pad interface (XInput, SDL's game controllers), presented
  // as Windows' joystick interface presents such a pad (PadLayout.h): the inputs have names,
  // and the two triggers, which share Z there, are two inputs of their own here.
  Pad,
};

// A trigger's pull, from 0 (let go) to this (pressed fully).
constexpr std::uint32_t kTriggerFull = 65535;

struct JoystickCaps {
  std::uint32_t xMin = 0, xMax = 65535;
  std::uint32_t yMin = 0, yMax = 65535;
  std::uint32_t zMin = 0, zMax = 65535;
  std::uint32_t rMin = 0, rMax = 65535;
  std::uint32_t uMin = 0, uMax = 65535;
  std::uint32_t vMin = 0, vMax = 65535;
  std::uint32_t caps = 0;        // kCapsHas* bits
  std::uint32_t numButtons = 0;  // 0..32
  char productName[kProductNameSize] = {};
  ControllerLayout layout = ControllerLayout::Joystick;
};

// Sets the product name from UTF-8 text, cut to what the record holds at a character boundary,
// so that the name never ends in half a character.
void SetProductName(JoystickCaps& caps, std::string_view utf8);

// One poll record. Positions are raw device values within the ranges of the caps.
struct JoystickState {
  std::uint32_t xPos = 0, yPos = 0, zPos = 0, rPos = 0, uPos = 0, vPos = 0;
  std::uint32_t buttons = 0;  // bit k-1 set while button k is down
  std::uint32_t buttonNumber = 0;
  std::uint32_t pov = kPovCentered;  // hundredths of a degree clockwise from forward
  // A pad's triggers (ControllerLayout::Pad), each on its own: 0..kTriggerFull. zPos holds
  // them combined as the joystick interface reports them (the left towards zMax, the right
  // towards zMin), for what reads Z alone.
  std::uint32_t leftTrigger = 0, rightTrigger = 0;
};

// Keyboard event flags (values of the Windows keyboard-event interface).
constexpr std::uint32_t kKeyExtended = 0x0001;
constexpr std::uint32_t kKeyUp = 0x0002;

// Mouse event flags (values of the Windows mouse-event interface).
constexpr std::uint32_t kMouseMove = 0x0001;
constexpr std::uint32_t kMouseLeftDown = 0x0002;
constexpr std::uint32_t kMouseLeftUp = 0x0004;
constexpr std::uint32_t kMouseRightDown = 0x0008;
constexpr std::uint32_t kMouseRightUp = 0x0010;
constexpr std::uint32_t kMouseMiddleDown = 0x0020;
constexpr std::uint32_t kMouseMiddleUp = 0x0040;
constexpr std::uint32_t kMouseWheel = 0x0800;
constexpr std::uint32_t kMouseAbsolute = 0x8000;

// Key-mapping modes (as MapVirtualKeyA's map types).
constexpr unsigned kMapVkToScan = 0;
constexpr unsigned kMapVkToChar = 2;

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No };

}  // namespace seam
