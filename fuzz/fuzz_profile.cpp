// Feeds arbitrary bytes to the profile reader as a profile file, loaded into a simulated
// controller with a hat, 6 axes and 32 buttons (once interactively, answering Yes to the
// identity question, once quietly) against a fixed action library. The controllers are then
// played on virtual time and destroyed. Beyond memory and undefined-behaviour errors it checks
// the engine's promises: a load reports success exactly when the controller polls, and once
// the controllers are gone no key or mouse button is down and no timer runs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "FuzzFolder.h"
#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "engine/Joystick.h"
#include "platform/sim/SimPlatform.h"
#include "timer/VirtualTimerService.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct World {
  World() {
    platform.UseClock(&timers);
    seam::Install(platform.services());
    InstallTimerService(&timers);
    const seam::JoystickCaps caps = seam::MakeJoystickCaps("ZRUV", 32, true, 0, 65535, "Fuzz Pad");
    platform.joysticks().Plug(0, caps);
    platform.joysticks().Plug(1, caps);
    rest = seam::CenteredJoystickState(caps);
    path = (fuzz::Folder("profile") / "Profile.xml").string();
    platform.program().SetModuleFileName((fuzz::Folder("profile") / "Tandrel.exe").string());
    FillLibrary();
  }

  static void FillLibrary() {
    auto add = [](const char* theme, std::unique_ptr<CAction> action) {
      action->SetTheme(theme);
      AddAction(std::move(action));
    };
    add("Keys", std::make_unique<CVKAction>(0x41, PushType::Hold, "A"));
    add("Keys", std::make_unique<CVKAction>(0x42, PushType::Hit, "B"));
    add("Keys", std::make_unique<CVKAction>(0x43, PushType::Repeat, "C"));
    add("Keys", std::make_unique<CVKAction>(0x44, PushType::Toggle, "D"));
    add("Keys", std::make_unique<CVKAction>(0x10, PushType::Hold, "Shift"));
    add("Mouse", std::make_unique<CVKAction>(0x01, PushType::Hold, "Click"));
    add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, 10, 70, 20, 90, "Right"));
    add("Mouse", std::make_unique<CMouseAction>(PushType::Toggle, false, 10, 70, 20, 0, "Up"));
    add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, true, 10, 70, 20, 180, "Place"));
    add("Mouse", std::make_unique<CMouseWheelAction>(PushType::Hold, 10, CMouseWheelAction::kDown,
                                                     2, "Wheel"));
    CVKAction ctrl(0x11, PushType::Hold, "Ctrl");
    CVKAction v(0x56, PushType::Toggle, "V");
    add("Keys",
        std::make_unique<CComplexAction>(PushType::Hold, std::vector<const CAction*>{&ctrl, &v},
                                         "Chord", "Keys", false));
  }

  seam::SimPlatform platform;
  VirtualTimerService timers;
  seam::JoystickState rest;
  std::string path;
};

World& TheWorld() {
  static World* world = new World();  // lives as long as the process
  return *world;
}

void Play(World& w, std::uint32_t buttons, std::uint32_t pov, std::uint32_t axes) {
  for (int id = 0; id < 2; ++id) {
    seam::JoystickState state = w.rest;
    state.buttons = buttons;
    state.pov = pov;
    state.xPos = state.zPos = state.uPos = axes;
    state.yPos = state.rPos = state.vPos = 65535 - axes;
    w.platform.joysticks().SetState(id, state);
  }
  w.timers.Advance(40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  World& w = TheWorld();
  {
    std::ofstream file(w.path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  if (w.platform.messages().PendingAnswers() == 0) {
    w.platform.messages().QueueAnswer(seam::MessageAnswer::Yes);
  }
  {
    auto loud = std::make_unique<CJoystick>();
    auto quiet = std::make_unique<CJoystick>();
    Require(loud->Open(0) && quiet->Open(1));
    Require(loud->LoadProfile(w.path.c_str(), true) == loud->IsActive());
    Require(quiet->LoadProfile(w.path.c_str(), false) == quiet->IsActive());
    Play(w, 0, seam::kPovCentered, 32767);
    Play(w, 0xFFFFFFFF, 4500, 65535);
    Play(w, 0xFFFF0000, 13500, 0);
    Play(w, 0x0F0F0F0F, seam::kPovCentered, 40000);
    Play(w, 0x0F0F0F0F, 27000, 20000);
  }
  Require(w.platform.input().AllReleased());
  Require(w.timers.RunningTimers() == 0);
  w.platform.input().ClearLog();
  w.platform.messages().ClearLog();
  return 0;
}
