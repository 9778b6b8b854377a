// Controllers through SDL2. Devices take the configuration's IDs 0..15 in the order they
// appear (those present at start in SDL's order, later ones the lowest free ID) and keep
// their ID until they are pulled out.
//
// A device SDL knows as a game controller (its mapping database names the pad's buttons and
// axes) is read through that mapping and presented in the pad layout of Windows (PadLayout.h),
// whatever the device's own order: left stick X/Y, right stick U (horizontal) and R (vertical),
// the triggers on Z and each on its own, buttons 1 to 10 A, B, X, Y, the shoulders, Back,
// Start, the stick presses, the d-pad as the hat; the Guide button is not read. Any other
// device is read raw: axes 1..6 are X, Y, Z, R, U and V, scaled from SDL's -32768..32767 to
// 0..65535; its first hat is the POV; buttons beyond 32 are not read. An axis that SDL found at
// its lowest end when the device was opened (SDL's initial axis state, which SDL corrects
// when that first reading proves wrong) is a trigger: it would look fully deflected while it
// rests, so it is read from the middle (at rest) to 65534 (pressed fully), and only its actions
// of the pressed side run.
//
// Every SDL call is made here, under mutex_, by whichever thread asks (the timer thread's polls
// and hot-plug check, the main thread's loads): asking refreshes SDL's state (at most once per
// kRefreshMs) and follows SDL's device-added and device-removed events. SDL delivers no other
// joystick or game controller events to its queue while this object lives.
#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/PadLayout.h"
#include "platform/Platform.h"

namespace seam {

class SdlJoysticks : public IJoysticks {
 public:
  static constexpr std::chrono::milliseconds kRefreshMs{4};

  // Told of every device that takes or leaves an ID (under mutex_: it must not call back).
  using DeviceReport =
      std::function<void(int id, const std::string& name, bool arrived, ControllerLayout layout)>;

  // Starts SDL's joystick subsystem; null with `reason` set when it cannot.
  static std::unique_ptr<SdlJoysticks> Open(std::string& reason, DeviceReport report = {});
  ~SdlJoysticks() override;
  SdlJoysticks(const SdlJoysticks&) = delete;
  SdlJoysticks& operator=(const SdlJoysticks&) = delete;

  bool IsPresent(int id) override;
  bool GetCaps(int id, JoystickCaps& caps) override;
  bool GetState(int id, JoystickState& state) override;

 private:
  explicit SdlJoysticks(DeviceReport report);
  // The following need mutex_.
  void Refresh();
  void FollowDevices();
  void Close(int id);
  SDL_Joystick* At(int id);

  const DeviceReport report_;
  std::mutex mutex_;                                  // guards everything below, and every SDL call
  std::array<SDL_Joystick*, kMaxJoysticks> slots_{};  // owned: closed when the device goes
  std::array<SDL_GameController*, kMaxJoysticks> pads_{};  // the slot's game controller, owned
  std::chrono::steady_clock::time_point lastRefresh_{};
  bool scanned_ = false;
};

// The POV angle of an SDL hat position (hundredths of a degree, or kPovCentered).
std::uint32_t PovOfHat(std::uint8_t hat);
// What a game controller reports, in the pad layout's terms.
PadReading ReadPad(SDL_GameController* pad);
// An SDL axis position on the engine's 0..65535, and a trigger's on 32767..65534.
std::uint32_t ScaledAxis(std::int16_t value);
std::uint32_t ScaledTrigger(std::int16_t value);

}  // namespace seam
