// An SDL virtual device: a real device to SDL's joystick code, attached for the life of the
// object (or between Unplug and Plug). Either a joystick that SDL reads raw (positions are
// given as the engine reads them), or a pad that SDL knows as a game controller through a
// mapping of the device's own order, as SDL's database maps a real pad (moved by the pad's
// inputs, PadLayout.h).
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <map>
#include <string>

#include "platform/PadLayout.h"

// The device orders of common pads under Linux, as SDL mappings ("a:b0,...").
struct PadOrder {
  const char* driver;
  const char* mapping;
};
// xpad (Xbox pads): LT and RT are axes 2 and 5, the right stick 3 and 4, Guide button 8.
extern const PadOrder kXpadOrder;
// hid-playstation (DualShock 4): X and Y change places, the triggers are axes and buttons too.
extern const PadOrder kPlayStationOrder;
// A DirectInput-style pad (Logitech's "Dual Action"): the right stick on axes 2 and 3, the
// triggers buttons.
extern const PadOrder kDirectInputOrder;

class VirtualPad {
 public:
  // A joystick. `triggerAxis`: an axis at its lowest end when the device appears, as a pad's
  // trigger rests (-1: none).
  VirtualPad(std::string name, int axes, int buttons, bool hat, int triggerAxis = -1);
  // A pad in this device order, plugged in as `initial` holds it (at rest).
  VirtualPad(std::string name, const PadOrder& order, const seam::PadReading& initial = {});
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void Button(int number, bool down);            // 1-based
  void Axis(int index, std::uint32_t position);  // 0..65535
  void Pov(std::uint32_t hundredths);            // or seam::kPovCentered
  // A pad: every input as the reading says, through the device order; SDL has read it when
  // this returns.
  void Set(const seam::PadReading& reading);
  void Unplug();
  void Plug();

 private:
  std::string Bound(const char* input) const;  // "a2", or "" when the order has no such input

  std::string name_;
  int axes_, buttons_;
  bool hat_;
  int triggerAxis_ = -1;
  std::map<std::string, std::string> order_;  // a pad's input ("lefttrigger") -> "a2"
  seam::PadReading initial_;
  SDL_Joystick* handle_ = nullptr;
};
