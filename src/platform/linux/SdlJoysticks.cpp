#include "platform/linux/SdlJoysticks.h"

#include <algorithm>
#include <cstring>

namespace seam {

namespace {

constexpr std::uint32_t kCapsOfAxis[] = {0, 0, kCapsHasZ, kCapsHasR, kCapsHasU, kCapsHasV};
constexpr int kMostAxes = 6;
constexpr int kMostButtons = 32;
// An axis at its lowest end when the device is opened is a trigger (a pad's LT and RT), not a
// stick: a stick rests in the middle.
constexpr Sint16 kTriggerRest = -32767;

// Only device arrivals and removals reach SDL's queue; states are read when they are asked for.
constexpr Uint32 kIgnoredEvents[] = {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION,
                                     SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP,   SDL_JOYBATTERYUPDATED};

}  // namespace

std::uint32_t PovOfHat(std::uint8_t hat) {
  switch (hat) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 4500;
    case SDL_HAT_RIGHT:
      return 9000;
    case SDL_HAT_RIGHTDOWN:
      return 13500;
    case SDL_HAT_DOWN:
      return 18000;
    case SDL_HAT_LEFTDOWN:
      return 22500;
    case SDL_HAT_LEFT:
      return 27000;
    case SDL_HAT_LEFTUP:
      return 31500;
    default:
      return kPovCentered;
  }
}

std::uint32_t ScaledAxis(std::int16_t value) { return static_cast<std::uint32_t>(value + 32768); }

std::uint32_t ScaledTrigger(std::int16_t value) {
  return 32767 + static_cast<std::uint32_t>(value + 32768) / 2;
}

std::unique_ptr<SdlJoysticks> SdlJoysticks::Open(std::string& reason, DeviceReport report) {
  // The program handles its signals itself; SDL must not turn them into quit events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
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
  for (SDL_Joystick*& joystick : slots_) {
    if (joystick != nullptr) SDL_JoystickClose(joystick);
    joystick = nullptr;
  }
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
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
    if (report_) report_(id, SDL_JoystickName(joystick) ? SDL_JoystickName(joystick) : "", false);
    SDL_JoystickClose(joystick);
    joystick = nullptr;
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
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) continue;
    *free = joystick;
    const auto id = static_cast<std::size_t>(free - slots_.begin());
    triggers_[id] = 0;
    for (int axis = 0; axis < std::min(SDL_JoystickNumAxes(joystick), kMostAxes); ++axis) {
      if (SDL_JoystickGetAxis(joystick, axis) <= kTriggerRest) triggers_[id] |= 1u << axis;
    }
    if (report_) {
      const char* name = SDL_JoystickName(joystick);
      report_(static_cast<int>(id), name ? name : "", true);
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
  JoystickCaps filled;  // every range 0..65535
  const int axes = std::min(SDL_JoystickNumAxes(joystick), kMostAxes);
  for (int axis = 2; axis < axes; ++axis) filled.caps |= kCapsOfAxis[axis];
  if (SDL_JoystickNumHats(joystick) > 0) filled.caps |= kCapsHasPov;
  filled.numButtons =
      static_cast<std::uint32_t>(std::clamp(SDL_JoystickNumButtons(joystick), 0, kMostButtons));
  const char* name = SDL_JoystickName(joystick);
  SetProductName(filled, name != nullptr ? name : "");
  caps = filled;
  return true;
}

bool SdlJoysticks::GetState(int id, JoystickState& state) {
  std::lock_guard lock(mutex_);
  SDL_Joystick* joystick = At(id);
  if (joystick == nullptr) return false;
  JoystickState read;
  std::uint32_t* positions[kMostAxes] = {&read.xPos, &read.yPos, &read.zPos,
                                         &read.rPos, &read.uPos, &read.vPos};
  const int axes = std::min(SDL_JoystickNumAxes(joystick), kMostAxes);
  for (int axis = 0; axis < kMostAxes; ++axis) {
    // A missing axis rests in the middle, as the multimedia interface reports it; so does a
    // trigger, read from the middle to the end it is pressed towards.
    const bool trigger = (triggers_[id] >> axis) & 1;
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
