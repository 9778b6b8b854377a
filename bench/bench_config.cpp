// The configuration's hot paths: automatic profile switching on a window activation (16
// configured controllers with 8 rules each), when nothing changes and when one controller
// switches to a full profile; and the speed of a replay (virtual time per real time) of 16
// controllers over 10 minutes on the default files.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "actions/ActionLibrary.h"
#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScriptParser.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"

namespace fs = std::filesystem;

namespace {

constexpr int kControllers = 16;
constexpr int kRules = 8;

// The default files of the source tree.
fs::path DataFolder() { return fs::path(__FILE__).parent_path().parent_path() / "data"; }

// A folder of its own for the files of one benchmark, removed afterwards.
class Folder {
 public:
  explicit Folder(const std::string& name)
      : path_(fs::temp_directory_path() / ("tandrel-bench-" + name)) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }

 private:
  fs::path path_;
};

// A profile for a controller with six axes, a hat and 32 buttons that gives every element an
// action in two shift states: what a thorough user writes.
std::string FullProfile(const char* key) {
  std::string text =
      "<Joystick delay='20'><ShiftButtons><ShiftButton buttonNumber='32'/>"
      "</ShiftButtons><Axes>";
  for (const char* axis : {"X Axis", "Y Axis", "Z Axis", "R Axis", "U Axis", "V Axis"}) {
    text += std::string("<Axis name='") + axis +
            "' type='Horizontal'><Direction name='Left'><Actions>"
            "<Action number='0' theme='Mouse' name='Pointer Left'/>"
            "<Action number='0' theme='Mouse' name='Fast Scroll Up' percent='70'/>"
            "<Action number='1' theme='Keys' name='Left'/></Actions></Direction>"
            "<Direction name='Right'><Actions><Action number='0' theme='Mouse' "
            "name='Pointer Right'/><Action number='1' theme='Keys' name='Right'/>"
            "</Actions></Direction></Axis>";
  }
  text += "</Axes><Buttons>";
  for (int n = 1; n <= 31; ++n) {
    text += "<Button number='" + std::to_string(n) +
            "'><Actions><Action number='0' theme='Keys' name='" + key +
            "'/><Action number='1' theme='Editing' name='Copy'/></Actions></Button>";
  }
  text += "</Buttons><POV>";
  for (const char* direction : {"Forward", "Right", "Backward", "Left"}) {
    text += std::string("<Direction name='") + direction +
            "'><Actions><Action number='0' theme='Keys' name='Up'/>"
            "<Action number='1' theme='Keys' name='Page Up'/></Actions></Direction>";
  }
  return text + "</POV></Joystick>";
}

// 16 configured controllers, each with 8 window rules; controller 0's first rule switches
// between two full profiles, every other rule names a profile of its own.
class SwitchingWorld {
 public:
  SwitchingWorld() : folder_("switching") {
    platform_.UseClock(&timers_);
    platform_.program().SetModuleFileName(folder_.File("Tandrel.exe"));
    folder_.Write("FullA.xml", FullProfile("Enter"));
    folder_.Write("FullB.xml", FullProfile("Space"));
    std::string entries;
    for (int id = 0; id < kControllers; ++id) {
      platform_.joysticks().Plug(id, seam::MakeJoystickCaps("ZRUV", 32, true));
      entries += "<Joystick ID='" + std::to_string(id) + "' fileName='" +
                 (id == 0 ? std::string("FullB.xml") : "Default" + std::to_string(id) + ".xml") +
                 "'>";
      for (int rule = 0; rule < kRules; ++rule) {
        const bool switching = id == 0 && rule == 0;
        entries += "<Profile window='" +
                   (switching ? std::string("Switch A")
                              : "Program " + std::to_string(id) + "." + std::to_string(rule)) +
                   "' fileName='" +
                   (switching ? std::string("FullA.xml")
                              : "Rule" + std::to_string(id) + "." + std::to_string(rule) + ".xml") +
                   "'/>";
      }
      entries += "</Joystick>";
      if (id != 0) folder_.Write("Default" + std::to_string(id) + ".xml", FullProfile("Tab"));
    }
    folder_.Write("Tandrel.exe.config",
                  "<Configuration><Actions fileName='" + (DataFolder() / "Actions.xml").string() +
                      "'/><Joysticks>" + entries + "</Joysticks></Configuration>");
    installed_ = std::make_unique<seam::ScopedServices>(platform_.services());
    timerService_ = std::make_unique<ScopedTimerService>(&timers_);
    ConfigurationSettings settings;
    settings.modulePath = folder_.File("Tandrel.exe");
    settings.readOnly = true;
    configuration_ = std::make_unique<CTandrelConfiguration>(settings);
  }
  ~SwitchingWorld() {
    configuration_.reset();
    timerService_.reset();
    installed_.reset();
  }
  CTandrelConfiguration& Configuration() { return *configuration_; }
  std::size_t Messages() { return platform_.messages().Count(); }

 private:
  Folder folder_;
  seam::SimPlatform platform_;
  VirtualTimerService timers_;
  std::unique_ptr<seam::ScopedServices> installed_;
  std::unique_ptr<ScopedTimerService> timerService_;
  std::unique_ptr<CTandrelConfiguration> configuration_;
};

// A window that matches no rule: every entry tries its 8 rules and finds its default in force.
void BM_SwitchNoChange(benchmark::State& state) {
  SwitchingWorld world;
  const char* title = "Untitled - Notes";
  world.Configuration().SwitchProfileForWindow(title);
  for (auto _ : state) world.Configuration().SwitchProfileForWindow(title);
  state.counters["messages"] = static_cast<double>(world.Messages());
}
BENCHMARK(BM_SwitchNoChange)->Unit(benchmark::kMicrosecond);

// A window whose rule is in force already for controller 0: its search ends at the rule.
void BM_SwitchRuleInForce(benchmark::State& state) {
  SwitchingWorld world;
  const char* title = "Switch A";
  world.Configuration().SwitchProfileForWindow(title);
  for (auto _ : state) world.Configuration().SwitchProfileForWindow(title);
}
BENCHMARK(BM_SwitchRuleInForce)->Unit(benchmark::kMicrosecond);

// Every activation switches controller 0 between two full profiles (a fresh controller object
// opened and the profile parsed and read); the 15 others stay.
void BM_SwitchOneToAFullProfile(benchmark::State& state) {
  SwitchingWorld world;
  bool a = false;
  for (auto _ : state) {
    a = !a;
    world.Configuration().SwitchProfileForWindow(a ? "Switch A" : "Untitled - Notes");
  }
  state.counters["messages"] = static_cast<double>(world.Messages());
}
BENCHMARK(BM_SwitchOneToAFullProfile)->Unit(benchmark::kMicrosecond);

// A 10-minute script: 16 gamepads on the default files, each clicking, pointing, scrolling and
// using the hat every couple of seconds, a window switch every 30 seconds, one controller
// pulled out and plugged in again every minute.
std::string BusyScript(const std::string& config) {
  std::string head = "config \"" + config + "\"\n";
  for (int id = 0; id < kControllers; ++id) {
    head += "controller " + std::to_string(id) + " axes XYZRU buttons 10 pov\n";
  }
  std::string events;
  for (int t = 0; t < 600000; t += 2000) {
    auto at = [&events](int time, const std::string& what) {
      events += "at " + std::to_string(time) + " " + what + "\n";
    };
    for (int id = 0; id < kControllers; ++id) {
      const std::string c = std::to_string(id);
      const int base = t + id * 7;  // controllers slightly out of step
      at(base + 100, "button " + c + " 1 down");
      at(base + 180, "button " + c + " 1 up");
      at(base + 300, "axis " + c + " X " + std::to_string(40000 + (t / 2000 % 25) * 1000));
      at(base + 900, "axis " + c + " X 32767");
      at(base + 1000, "axis " + c + " R 0");
      at(base + 1400, "axis " + c + " R 32767");
      at(base + 1500, "pov " + c + " 9000");
      at(base + 1560, "pov " + c + " center");
    }
    if (t % 30000 == 0) at(t + 1950, t % 60000 == 0 ? "window \"Slide Show\"" : "window \"Notes\"");
    if (t % 60000 == 58000) at(t + 1990, "unplug " + std::to_string(t / 60000 % kControllers));
    if (t % 60000 == 0 && t > 0) {
      at(t + 1990, "plug " + std::to_string((t / 60000 - 1) % kControllers));
    }
  }
  // Events of different controllers interleave: sort them by time, stable.
  std::vector<std::pair<long, std::string>> lines;
  std::size_t start = 0;
  while (start < events.size()) {
    const std::size_t end = events.find('\n', start);
    const std::string line = events.substr(start, end - start);
    lines.emplace_back(std::stol(line.substr(3)), line);
    start = end + 1;
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string script = head;
  for (const auto& [time, line] : lines) script += line + "\n";
  return script + "end 600000\n";
}

class CountingOutput : public replay::IOutput {
 public:
  void Line(std::string_view line) override {
    ++lines;
    bytes += line.size() + 1;
  }
  std::uint64_t lines = 0;
  std::uint64_t bytes = 0;
};

void BM_ReplayTenMinutesSixteenControllers(benchmark::State& state) {
  Folder folder("replay");
  std::string entries;
  for (int id = 0; id < kControllers; ++id) {
    entries += "<Joystick ID='" + std::to_string(id) + "' fileName='" +
               (DataFolder() / "Gamepad.xml").string() +
               "'><Profile window='Slide Show' fileName='" +
               (DataFolder() / "SlideShow.xml").string() + "'/></Joystick>";
  }
  folder.Write("Tandrel.exe.config",
               "<Configuration><Actions fileName='" + (DataFolder() / "Actions.xml").string() +
                   "'/><Joysticks>" + entries + "</Joysticks></Configuration>");
  const replay::ParseResult parsed =
      replay::CReplayScriptParser::Parse(BusyScript(folder.File("Tandrel.exe.config")));
  if (!parsed.script) {
    state.SkipWithError(
        ("script line " + std::to_string(parsed.error.line) + ": " + parsed.error.reason).c_str());
    return;
  }
  double realSeconds = 0;
  CountingOutput output;
  for (auto _ : state) {
    output = CountingOutput();
    const auto start = std::chrono::steady_clock::now();
    replay::CReplayRunner::Run(*parsed.script, ".", output);
    realSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double virtualSeconds = static_cast<double>(parsed.script->end) / 1000.0;
  state.counters["speedup"] =
      virtualSeconds * static_cast<double>(state.iterations()) / realSeconds;
  state.counters["lines"] = static_cast<double>(output.lines);
  state.counters["statements"] = static_cast<double>(parsed.script->events.size());
}
BENCHMARK(BM_ReplayTenMinutesSixteenControllers)->Unit(benchmark::kMillisecond);

}  // namespace
