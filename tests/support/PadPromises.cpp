#include "PadPromises.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "TempFolder.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"

namespace {

using seam::PadReading;

constexpr std::int32_t kFull = 32767;

PadReading LeftStick(std::int32_t x, std::int32_t y) { return {.leftX = x, .leftY = y}; }
PadReading RightStick(std::int32_t x, std::int32_t y) { return {.rightX = x, .rightY = y}; }
PadReading Triggers(bool left, bool right) {
  return {.leftTrigger = left ? seam::kTriggerFull : 0,
          .rightTrigger = right ? seam::kTriggerFull : 0};
}
PadReading Held(seam::PadButton button) { return {.buttons = 1u << button}; }
PadReading Hat(bool up, bool right, bool down, bool left) {
  return {.up = up, .right = right, .down = down, .left = left};
}

// What an input does alone and with button 5 (the left shoulder) held; a key by its code.
const struct Promise {
  const char* input;
  PadReading held;
  const char* alone;
  const char* shifted;
} kPromises[] = {
    {"Left stick left", LeftStick(-kFull, 0), "pointer left", "pointer left"},
    {"Left stick right", LeftStick(kFull, 0), "pointer right", "pointer right"},
    {"Left stick up", LeftStick(0, -kFull), "pointer up", "pointer up"},
    {"Left stick down", LeftStick(0, kFull), "pointer down", "pointer down"},
    {"Right stick up", RightStick(0, -kFull), "wheel up", "wheel up"},
    {"Right stick down", RightStick(0, kFull), "wheel down", "wheel down"},
    {"Right stick left", RightStick(-kFull, 0), "", ""},
    {"Right stick right", RightStick(kFull, 0), "", ""},
    {"Left trigger", Triggers(true, false), "key 21", "key 21"},
    {"Right trigger", Triggers(false, true), "key 22", "key 22"},
    {"Both triggers", Triggers(true, true), "key 21, key 22", "key 21, key 22"},
    {"A", Held(seam::kPadA), "left", "key 0d"},
    {"B", Held(seam::kPadB), "right", "key 1b"},
    {"X", Held(seam::kPadX), "middle", "key 11, key 43"},
    {"Y", Held(seam::kPadY), "left", "key 11, key 56"},
    {"Left shoulder", Held(seam::kPadLeftShoulder), "", ""},
    {"Right shoulder", Held(seam::kPadRightShoulder), "key 0d", "key 09, key 12"},
    {"Back", Held(seam::kPadBack), "key 1b", "key 08"},
    {"Start", Held(seam::kPadStart), "key 5b", "key 5b"},
    {"Left stick press", Held(seam::kPadLeftStick), "key 11", "key 11"},
    {"Right stick press", Held(seam::kPadRightStick), "key 20", "key 20"},
    {"D-pad up", Hat(true, false, false, false), "key 26", "key 21"},
    {"D-pad down", Hat(false, false, true, false), "key 28", "key 22"},
    {"D-pad right", Hat(false, true, false, false), "key 27", "key 09"},
    {"D-pad left", Hat(false, false, false, true), "key 25", "key 09, key 10"},
};

// What the input did: keys and mouse buttons that went down, the ways the pointer and the
// wheel went, in a fixed order; "stuck" when something stayed down after the input was let go.
std::string Effects(seam::SimInput& input) {
  std::set<std::string> effects;
  for (const seam::InputRecord& e : input.TakeLog()) {
    char key[8];
    std::snprintf(key, sizeof key, "key %02x", e.vk);
    if (e.IsKeyDown()) effects.insert(key);
    if (!e.IsMouse()) continue;
    if (e.flags & seam::kMouseLeftDown) effects.insert("left");
    if (e.flags & seam::kMouseRightDown) effects.insert("right");
    if (e.flags & seam::kMouseMiddleDown) effects.insert("middle");
    if (e.flags & seam::kMouseWheel) effects.insert(e.data > 0 ? "wheel up" : "wheel down");
    if ((e.flags & seam::kMouseMove) == 0) continue;
    if (e.dx != 0) effects.insert(e.dx < 0 ? "pointer left" : "pointer right");
    if (e.dy != 0) effects.insert(e.dy < 0 ? "pointer up" : "pointer down");
  }
  if (!input.AllReleased()) effects.insert("stuck");
  std::string text;
  for (const std::string& effect : effects) text += (text.empty() ? "" : ", ") + effect;
  return text;
}

PadReading With(PadReading reading, seam::PadButton button) {
  reading.buttons |= 1u << button;
  return reading;
}

}  // namespace

std::vector<std::string> BrokenPadPromises(const std::string& dataFolder, seam::IJoysticks& adapter,
                                           const PadHands& hands) {
  std::vector<std::string> broken;
  // A copy in a folder of the system's own kind (Wine's files do not take a POSIX path).
  TempFolder folder;
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    std::filesystem::copy_file(std::filesystem::path(dataFolder) / name, folder.path() / name);
  }
  ConfigurationSettings settings =
      ConfigurationSettings::ForConfigFile(folder.File("Tandrel.exe.config"));
  settings.readOnly = true;
  seam::SimPlatform platform;
  platform.program().SetModuleFileName(settings.modulePath);
  VirtualTimerService timers;
  platform.UseClock(&timers);
  seam::Services services = platform.services();
  services.joysticks = &adapter;
  seam::ScopedServices installed(services);
  ScopedTimerService timerService(&timers);
  hands({});
  CTandrelConfiguration configuration(settings);
  for (const auto& message : platform.messages().Log()) broken.push_back(message.text);
  const auto hold = [&](const PadReading& reading, std::uint64_t ms) {
    hands(reading);
    timers.Advance(ms);
  };
  for (const Promise& promise : kPromises) {
    for (const bool shifted : {false, true}) {
      const PadReading rest = shifted ? With({}, seam::kPadLeftShoulder) : PadReading{};
      hold(rest, 100);
      const PadReading held = shifted ? With(promise.held, seam::kPadLeftShoulder) : promise.held;
      hold(held, 300);
      hold(rest, 300);
      hold({}, 100);
      const std::string got = Effects(platform.input());
      const std::string expected = shifted ? promise.shifted : promise.alone;
      if (got == expected) continue;
      broken.push_back(std::string(promise.input) + (shifted ? " with button 5" : "") + ": got " +
                       (got.empty() ? "nothing" : got) + ", expected " +
                       (expected.empty() ? "nothing" : expected));
    }
  }
  return broken;
}
