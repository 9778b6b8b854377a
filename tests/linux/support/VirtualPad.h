// An SDL virtual joystick: a real device to SDL's joystick code, attached for the life of the
// object (or between Unplug and Plug). Positions are given as the engine reads them.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>

class VirtualPad {
 public:
  // `triggerAxis`: an axis that rests at its lowest end, as a pad's trigger does (-1: none).
  VirtualPad(std::string name, int axes, int buttons, bool hat, int triggerAxis = -1);
  ~VirtualPad();
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void Button(int number, bool down);            // 1-based
  void Axis(int index, std::uint32_t position);  // 0..65535
  void Pov(std::uint32_t hundredths);            // or seam::kPovCentered
  void Unplug();
  void Plug();

 private:
  std::string name_;
  int axes_, buttons_;
  bool hat_;
  int triggerAxis_;
  SDL_Joystick* handle_ = nullptr;
};
