#include "platform/linux/SdlJoysticks.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace seam {

namespace {

constexpr std::uint32_t kCapsOfAxis[] = {0, 0, kCapsHasZ, kCapsHasR, kCapsHasU, kCapsHasV};
constexpr int kMostAxes = 6;
constexpr int kMostButtons = 32;
// An axis that SDL found at its lowest end when the device was opened is a trigger (a pad's LT
// and RT), not a stick: a stick rests in the middle.
constexpr Sint16 kTriggerRest = -32767;

// Only device arrivals and removals reach SDL's queue; states are read when they are asked for.
constexpr Uint32 kIgnoredEvents[] = {SDL_JOYAXISMOTION,
                                     SDL_JOYBALLMOTION,
                                     SDL_JOYHATMOTION,
                                     SDL_JOYBUTTONDOWN,
                                     SDL_JOYBUTTONUP,
                                     SDL_JOYBATTERYUPDATED,
                                     SDL_CONTROLLERAXISMOTION,
                                     SDL_CONTROLLERBUTTONDOWN,
                                     SDL_CONTROLLERBUTTONUP,
                                     SDL_CONTROLLERDEVICEADDED,
                                     SDL_CONTROLLERDEVICEREMOVED,
                                     SDL_CONTROLLERDEVICEREMAPPED,
                                     SDL_CONTROLLERTOUCHPADDOWN,
                                     SDL_CONTROLLERTOUCHPADMOTION,
                                     SDL_CONTROLLERTOUCHPADUP,
                                     SDL_CONTROLLERSENSORUPDATE};

constexpr std::pair<SDL_GameControllerButton, PadButton> kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, kPadA},
    {SDL_CONTROLLER_BUTTON_B, kPadB},
    {SDL_CONTROLLER_BUTTON_X, kPadX},
    {SDL_CONTROLLER_BUTTON_Y, kPadY},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kPadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kPadRightShoulder},
    {SDL_CONTROLLER_BUTTON_BACK, kPadBack},
    {SDL_CONTROLLER_BUTTON_START, kPadStart},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, kPadLeftStick},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, kPadRightStick},
};

// A game controller's trigger reads 0..32767.
std::uint32_t Pull(Sint16 trigger) {
  return static_cast<std::uint32_t>(std::max<int>(trigger, 0)) * kTriggerFull / 32767;
}

}  // namespace

std::uint32_t PovOfHat(std::uint8_t hat) {
  return PovOfDirections((hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_RIGHT) != 0,
                         (hat & SDL_HAT_DOWN) != 0, (hat & SDL_HAT_LEFT) != 0);
}

PadReading ReadPad(SDL_GameController* pad) {
  const auto axis = [pad](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(pad, a); };
  const auto held = [pad](SDL_GameControllerButton b) {
    return SDL_GameControllerGetButton(pad, b) != 0;
  };
  PadReading reading;
  reading.leftX = axis(SDL_CONTROLLER_AXIS_LEFTX);
  reading.leftY = axis(SDL_CONTROLLER_AXIS_LEFTY);
  reading.rightX = axis(SDL_CONTROLLER_AXIS_RIGHTX);
  reading.rightY = axis(SDL_CONTROLLER_AXIS_RIGHTY);
  reading.leftTrigger = Pull(axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT));
  reading.rightTrigger = Pull(axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
  for (const auto& [button, bit] : kPadButtons) {
    if (held(button)) reading.buttons |= 1u << bit;
  }
  reading.up = held(SDL_CONTROLLER_BUTTON_DPAD_UP);
  reading.right = held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  reading.down = held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  reading.left = held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  return reading;
}

std::uint32_t ScaledAxis(std::int16_t value) { return static_cast<std::uint32_t>(value + 32768); }

std::uint32_t ScaledTrigger(std::int16_t value) {
  return 32767 + static_cast<std::uint32_t>(value + 32768) / 2;
}

std::unique_ptr<SdlJoysticks> SdlJoysticks::Open(std::string& reason, DeviceReport report) {
  // The program handles its signals itself; SDL must not turn them into quit events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    reason = std::string("cannot start SDL's joysticks: ") + SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<SdlJoysticks>(new SdlJoysticks(std::move(report)));
}

SdlJoysticks::SdlJoysticks(DeviceReport report) : report_(std::move(report)) {
  for (Uint32 type : kIgnoredEvents) SDL_EventState(type, SDL_IGNORE);
}

SdlJoysticks::~SdlJoysticks() {
  std::lock_guard lock(mutex_);
  for (int id = 0; id < kMaxJoysticks; ++id) Close(id);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlJoysticks::Close(int id) {
  if (pads_[id] != nullptr) {
    SDL_GameControllerClose(pads_[id]);  // and its joystick
  } else if (slots_[id] != nullptr) {
    SDL_JoystickClose(slots_[id]);
  }
  pads_[id] = nullptr;
  slots_[id] = nullptr;
}

void SdlJoysticks::Refresh() {
  const auto now = std::chrono::steady_clock::now();
  if (scanned_ && now - lastRefresh_ < kRefreshMs) return;
  lastRefresh_ = now;
  SDL_JoystickUpdate();  // reads the devices and detects arrivals and removals
  SDL_Event events[16];
  bool changed = !scanned_;
  int n = 0;
  while ((n = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYDEVICEADDED, SDL_JOYDEVICEREMOVED)) >
         0) {
    changed = true;
  }
  if (changed) FollowDevices();
  scanned_ = true;
}

void SdlJoysticks::FollowDevices() {
  for (int id = 0; id < kMaxJoysticks; ++id) {
    SDL_Joystick*& joystick = slots_[id];
    if (joystick == nullptr || SDL_JoystickGetAttached(joystick)) continue;
    if (report_) {
      report_(id, SDL_JoystickName(joystick) ? SDL_JoystickName(joystick) : "", false,
              pads_[id] != nullptr ? ControllerLayout::Pad : ControllerLayout::Joystick);
    }
    Close(id);
  }
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(index);
    const bool known = std::any_of(slots_.begin(), slots_.end(), [&](SDL_Joystick* j) {
      return j != nullptr && SDL_JoystickInstanceID(j) == instance;
    });
    if (known) continue;
    const auto free = std::find(slots_.begin(), slots_.end(), nullptr);
    if (free == slots_.end()) return;  // sixteen devices already have an ID
    const auto id = static_cast<std::size_t>(free - slots_.begin());
    SDL_GameController* pad = SDL_IsGameController(index) ? SDL_GameControllerOpen(index) : nullptr;
    SDL_Joystick* joystick =
        pad != nullptr ? SDL_GameControllerGetJoystick(pad) : SDL_JoystickOpen(index);
    if (joystick == nullptr) continue;
    *free = joystick;
    pads_[id] = pad;
    if (report_) {
      const char* name = SDL_JoystickName(joystick);
      report_(static_cast<int>(id), name ? name : "", true,
              pad != nullptr ? ControllerLayout::Pad : ControllerLayout::Joystick);
    }
  }
}

SDL_Joystick* SdlJoysticks::At(int id) {
  if (id < 0 || id >= kMaxJoysticks) return nullptr;
  Refresh();
  SDL_Joystick* joystick = slots_[id];
  return joystick != nullptr && SDL_JoystickGetAttached(joystick) ? joystick : nullptr;
}

bool SdlJoysticks::IsPresent(int id) {
  std::lock_guard lock(mutex_);
  return At(id) != nullptr;
}

bool SdlJoysticks::GetCaps(int id, JoystickCaps& caps) {
  std::lock_guard lock(mutex_);
  SDL_Joystick* joystick = At(id);
  if (joystick == nullptr) return false;
  const char* name = SDL_JoystickName(joystick);
  if (pads_[id] != nullptr) {
    caps = PadCaps(name != nullptr ? name : "");
    return true;
  }
  JoystickCaps filled;  // every range 0..65535
  const int axes = std::min(SDL_JoystickNumAxes(joystick), kMostAxes);
  for (int axis = 2; axis < axes; ++axis) filled.caps |= kCapsOfAxis[axis];
  if (SDL_JoystickNumHats(joystick) > 0) filled.caps |= kCapsHasPov;
  filled.numButtons =
      static_cast<std::uint32_t>(std::clamp(SDL_JoystickNumButtons(joystick), 0, kMostButtons));
  SetProductName(filled, name != nullptr ? name : "");
  caps = filled;
  return true;
}

bool SdlJoysticks::GetState(int id, JoystickState& state) {
  std::lock_guard lock(mutex_);
  SDL_Joystick* joystick = At(id);
  if (joystick == nullptr) return false;
  if (pads_[id] != nullptr) {
    state = PadState(ReadPad(pads_[id]));
    return true;
  }
  JoystickState read;
  std::uint32_t* positions[kMostAxes] = {&read.xPos, &read.yPos, &read.zPos,
                                         &read.rPos, &read.uPos, &read.vPos};
  const int axes = std::min(SDL_JoystickNumAxes(joystick), kMostAxes);
  for (int axis = 0; axis < kMostAxes; ++axis) {
    // A missing axis rests in the middle, as the multimedia interface reports it; so does a
    // trigger, read from the middle to the end it is pressed towards.
    Sint16 initial = 0;
    const bool trigger = axis < axes && SDL_JoystickGetAxisInitialState(joystick, axis, &initial) &&
                         initial <= kTriggerRest;
    const Sint16 value = axis < axes ? SDL_JoystickGetAxis(joystick, axis) : 0;
    *positions[axis] = axis >= axes ? 32767 : trigger ? ScaledTrigger(value) : ScaledAxis(value);
  }
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), kMostButtons);
  for (int button = 0; button < buttons; ++button) {
    if (SDL_JoystickGetButton(joystick, button)) {
      read.buttons |= 1u << button;
      ++read.buttonNumber;
    }
  }
  if (SDL_JoystickNumHats(joystick) > 0) read.pov = PovOfHat(SDL_JoystickGetHat(joystick, 0));
  state = read;
  return true;
}

}  // namespace seam
