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
constexpr std::uint32_t kPulled = seam::kTriggerFull;
constexpr std::uint32_t Held(seam::PadButton button) { return 1u << button; }

// What an input does alone and with button 5 (the left shoulder) held; a key by its code.
const struct Promise {
  const char* input;
  PadReading held;
  const char* alone;
  const char* shifted;
} kPromises[] = {
    {"Left stick left", {.leftX = -kFull}, "pointer left", "pointer left"},
    {"Left stick right", {.leftX = kFull}, "pointer right", "pointer right"},
    {"Left stick up", {.leftY = -kFull}, "pointer up", "pointer up"},
    {"Left stick down", {.leftY = kFull}, "pointer down", "pointer down"},
    {"Right stick up", {.rightY = -kFull}, "wheel up", "wheel up"},
    {"Right stick down", {.rightY = kFull}, "wheel down", "wheel down"},
    {"Right stick left", {.rightX = -kFull}, "", ""},
    {"Right stick right", {.rightX = kFull}, "", ""},
    {"Left trigger", {.leftTrigger = kPulled}, "key 21", "key 21"},
    {"Right trigger", {.rightTrigger = kPulled}, "key 22", "key 22"},
    {"Both triggers",
     {.leftTrigger = kPulled, .rightTrigger = kPulled},
     "key 21, key 22",
     "key 21, key 22"},
    {"A", {.buttons = Held(seam::kPadA)}, "left", "key 0d"},
    {"B", {.buttons = Held(seam::kPadB)}, "right", "key 1b"},
    {"X", {.buttons = Held(seam::kPadX)}, "middle", "key 11, key 43"},
    {"Y", {.buttons = Held(seam::kPadY)}, "left", "key 11, key 56"},
    {"Left shoulder", {.buttons = Held(seam::kPadLeftShoulder)}, "", ""},
    {"Right shoulder", {.buttons = Held(seam::kPadRightShoulder)}, "key 0d", "key 09, key 12"},
    {"Back", {.buttons = Held(seam::kPadBack)}, "key 1b", "key 08"},
    {"Start", {.buttons = Held(seam::kPadStart)}, "key 5b", "key 5b"},
    {"Left stick press", {.buttons = Held(seam::kPadLeftStick)}, "key 11", "key 11"},
    {"Right stick press", {.buttons = Held(seam::kPadRightStick)}, "key 20", "key 20"},
    {"D-pad up", {.up = true}, "key 26", "key 21"},
    {"D-pad down", {.down = true}, "key 28", "key 22"},
    {"D-pad right", {.right = true}, "key 27", "key 09"},
    {"D-pad left", {.left = true}, "key 25", "key 09, key 10"},
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
      const std::uint32_t shift = shifted ? Held(seam::kPadLeftShoulder) : 0;
      const PadReading rest{.buttons = shift};
      hold(rest, 100);
      PadReading held = promise.held;
      held.buttons |= shift;
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
