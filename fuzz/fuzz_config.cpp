// Two readers of the configuration subsystem under arbitrary bytes, chosen by the first byte:
// - even: the bytes are the configuration file, beside the default actions file and profiles.
//   The configuration loads with four simulated gamepads (questions answered Yes and No in
//   turn), switches windows, sees controllers pulled out and plugged in across hot-plug checks,
//   reloads, applies a Joysticks tab and goes. Checks: once it is gone no key or mouse button is
//   down and no timer runs; a configuration that writes nothing leaves the file's bytes alone.
// - odd: the bytes are a replay script. A script that reads is run against the default
//   configuration for at most 20 s of virtual time: events after that are dropped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFolder.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScriptParser.h"
#include "timer/VirtualTimerService.h"

namespace fs = std::filesystem;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct World {
  World() {
    folder = fuzz::Folder("config");
    const fs::path data = fs::path(__FILE__).parent_path().parent_path() / "data";
    for (const char* name : {"Actions.xml", "Gamepad.xml", "SlideShow.xml", "Tandrel.exe.config"}) {
      fs::copy_file(data / name, folder / name, fs::copy_options::overwrite_existing);
    }
    defaultConfig = (folder / "Tandrel.exe.config").string();
    config = (folder / "Fuzz.exe.config").string();
    platform.UseClock(&timers);
    platform.program().SetModuleFileName((folder / "Fuzz.exe").string());
    seam::Install(platform.services());
    InstallTimerService(&timers);
  }

  void PlugAll() {
    for (int id = 0; id < 4; ++id) {
      platform.joysticks().Plug(id, seam::MakeJoystickCaps("ZRU", 10, true, 0, 65535, "Pad"));
    }
  }

  fs::path folder;
  std::string defaultConfig;
  std::string config;
  seam::SimPlatform platform;
  VirtualTimerService timers;
};

World& TheWorld() {
  static World* world = new World();  // lives as long as the process
  return *world;
}

void RunConfiguration(World& w, std::string_view bytes, bool readOnly) {
  {
    std::ofstream file(w.config, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  w.PlugAll();
  if (w.platform.messages().PendingAnswers() == 0) {
    w.platform.messages().QueueAnswer(seam::MessageAnswer::Yes);
    w.platform.messages().QueueAnswer(seam::MessageAnswer::No);
  }
  {
    ConfigurationSettings settings;
    settings.modulePath = (w.folder / "Fuzz.exe").string();
    settings.readOnly = readOnly;
    CTandrelConfiguration configuration(settings);
    const std::string title(bytes.substr(0, 40));
    for (const char* t : {"Slide Show", "", "Notes", title.c_str()}) {
      configuration.SwitchProfileForWindow(t);
      w.platform.joysticks().PressButton(0, 1);
      w.platform.joysticks().SetPov(1, 9000);
      w.platform.joysticks().SetAxis(2, 'X', 65535);
      w.timers.Advance(300);
    }
    w.platform.joysticks().Unplug(1);
    w.platform.joysticks().Unplug(3);
    w.timers.Advance(1000);
    w.platform.joysticks().Plug(1, seam::MakeJoystickCaps("", 4, false));
    w.timers.Advance(1000);
    configuration.Load();
    w.timers.Advance(100);
    JoysticksTabState tab;
    tab.launchOnStartup = bytes.size() % 2 == 0;
    tab.controllers[0].profile = "Gamepad.xml";
    tab.controllers[1].picture = "pad.bmp";
    tab.controllers[2].enabled = false;
    configuration.SaveJoysticksTab(tab);
    configuration.SwitchProfileForWindow(title.c_str());
    w.timers.Advance(100);
  }
  Require(w.platform.input().AllReleased());
  Require(w.timers.RunningTimers() == 0);
  if (readOnly) Require(ReadAll(w.config) == bytes);
  w.platform.input().ClearLog();
  w.platform.messages().ClearLog();
}

class Discard : public replay::IOutput {
 public:
  void Line(std::string_view) override {}
};

void RunScript(World& w, std::string_view bytes) {
  replay::ParseResult parsed = replay::CReplayScriptParser::Parse(bytes);
  if (!parsed.script) {
    Require(parsed.error.line >= 1 && !parsed.error.reason.empty());
    return;
  }
  replay::Script& script = *parsed.script;
  script.configPath = w.defaultConfig;
  // Every script is run, its time cut to a budget that keeps each input quick: what lies
  // beyond it is dropped, so long "end" and "at" times still pass through the parser.
  constexpr std::uint64_t kVirtualTimeBudget = 20000;
  if (script.end > kVirtualTimeBudget) {
    std::erase_if(script.events,
                  [](const replay::Event& e) { return e.time > kVirtualTimeBudget; });
    script.end = kVirtualTimeBudget;
  }
  Discard output;
  replay::CReplayRunner::Run(script, w.folder.string(), output);
  // The runner put back the surroundings it found.
  Require(w.timers.RunningTimers() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  World& w = TheWorld();
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if ((data[0] & 1) == 0) {
    RunConfiguration(w, bytes, (data[0] & 2) != 0);
  } else {
    RunScript(w, bytes);
  }
  return 0;
}
