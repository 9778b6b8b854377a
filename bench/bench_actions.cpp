// The actions' hot paths: (a) Press + Release of a Hit key action and of a Hold key action, the
// events going to a sink that discards them (ns per pair); (b) FindAction and CloneAction in a
// library of 1,000 actions in 50 themes; (c) LoadActions of a 1,000-action file, and of 5,000
// combinations each listed before the one it uses, in chains of 1, 50 and 250. The timer
// service is virtual time that never advances, so a Hold key's repeat timer is started and
// stopped but never ticks.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/VKAction.h"
#include "platform/sim/SimPlatform.h"
#include "timer/VirtualTimerService.h"

namespace {

// Synthetic input that goes nowhere, so the figures are the actions' own cost.
class DiscardingInput : public seam::IInput {
 public:
  void KeyboardEvent(std::uint8_t vk, std::uint8_t, std::uint32_t) override {
    benchmark::DoNotOptimize(vk);
  }
  void MouseEvent(std::uint32_t flags, std::int32_t, std::int32_t, std::int32_t) override {
    benchmark::DoNotOptimize(flags);
  }
};

struct BenchWorld {
  BenchWorld() {
    platform.UseClock(&timers);
    seam::Services services = platform.services();
    services.input = &sink;
    seam::Install(services);
    InstallTimerService(&timers);
  }

  seam::SimPlatform platform;
  DiscardingInput sink;
  VirtualTimerService timers;
};

BenchWorld& World() {
  static BenchWorld world;
  return world;
}

constexpr int kThemes = 50;
constexpr int kActions = 1000;

std::string ThemeName(int i) { return "Theme number " + std::to_string(i % kThemes); }
std::string ActionName(int i) { return "Action number " + std::to_string(i); }

// 1,000 actions in 50 themes (action i in theme i % 50): key actions of every push type, and
// one action in ten (those of the tenth round through the themes) a combination of the two key
// actions of its theme from the rounds before.
bool IsCombination(int i) { return (i / kThemes) % 10 == 9; }

std::string ActionsFile() {
  std::string keys = "<Actions >\r\n\t<VKActions >\r\n";
  std::string combos = "\t<ComplexActions >\r\n";
  const char* types[] = {"Hold", "Hit", "Repeat", "Toggle"};
  for (int i = 0; i < kActions; ++i) {
    const std::string identity =
        "theme = \"" + ThemeName(i) + "\" name = \"" + ActionName(i) + "\"";
    if (!IsCombination(i)) {
      keys += "\t\t<VKAction " + identity + " type = \"" + types[i % 4] + "\" value = \"0x" +
              std::to_string(41 + i % 9) + "\" />\r\n";
      continue;
    }
    combos += "\t\t<ComplexAction " + identity + " type = \"Hold\" >\r\n";
    for (const int part : {i - kThemes, i - 2 * kThemes}) {
      combos += "\t\t\t<CombinedAction theme = \"" + ThemeName(part) + "\" name = \"" +
                ActionName(part) + "\" type = \"Hit\" />\r\n";
    }
    combos += "\t\t</ComplexAction>\r\n";
  }
  keys += "\t</VKActions>\r\n\t<MouseActions />\r\n\t<MouseWheelActions />\r\n";
  combos += "\t</ComplexActions>\r\n</Actions>\r\n";
  return keys + combos;
}

std::string WriteActionsFile() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tandrel_bench_actions.xml").string();
  std::ofstream(path, std::ios::binary) << ActionsFile();
  return path;
}

void PressReleasePair(benchmark::State& state, PushType type) {
  World();
  CVKAction action(0x41, type, "A");
  for (auto _ : state) {
    action.Press(nullptr);
    action.Release(nullptr);
  }
  state.SetLabel("ns per Press + Release");
}

void BM_PressReleaseHitKey(benchmark::State& state) { PressReleasePair(state, PushType::Hit); }
BENCHMARK(BM_PressReleaseHitKey);

void BM_PressReleaseHoldKey(benchmark::State& state) { PressReleasePair(state, PushType::Hold); }
BENCHMARK(BM_PressReleaseHoldKey);

void BM_PressReleaseChord(benchmark::State& state) {
  World();
  CVKAction ctrl(0x11, PushType::Hold, "Ctrl");
  CVKAction v(0x56, PushType::Hit, "V");
  CComplexAction chord(PushType::Hold, {&ctrl, &v}, "Paste", "", false);
  for (auto _ : state) {
    chord.Press(nullptr);
    chord.Release(nullptr);
  }
  state.SetLabel("ns per Press + Release");
}
BENCHMARK(BM_PressReleaseChord);

// Lookups of random existing actions, with the names spelt in another case.
void BM_FindAction(benchmark::State& state) {
  World();
  ClearActions();
  ReloadActions(WriteActionsFile().c_str());
  std::vector<std::pair<std::string, std::string>> keys;
  std::mt19937 random(1);
  for (int i = 0; i < 1024; ++i) {
    const int n = static_cast<int>(random() % kActions);
    keys.emplace_back("THEME NUMBER " + std::to_string(n % kThemes),
                      "action NUMBER " + std::to_string(n));
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& key = keys[i++ & 1023];
    benchmark::DoNotOptimize(FindAction(key.first.c_str(), key.second.c_str()));
  }
  state.SetLabel("ns per lookup");
}
BENCHMARK(BM_FindAction);

void BM_FindMissingAction(benchmark::State& state) {
  World();
  ClearActions();
  ReloadActions(WriteActionsFile().c_str());
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindAction("Theme number 7", "No such action"));
  }
  state.SetLabel("ns per lookup");
}
BENCHMARK(BM_FindMissingAction);

void BM_CloneAction(benchmark::State& state) {
  World();
  ClearActions();
  ReloadActions(WriteActionsFile().c_str());
  for (auto _ : state) {
    benchmark::DoNotOptimize(CloneAction("Theme number 9", "Action number 459"));
  }
  state.SetLabel("ns per find + clone of a combination");
}
BENCHMARK(BM_CloneAction);

void BM_LoadActions1000(benchmark::State& state) {
  World();
  const std::string path = WriteActionsFile();
  for (auto _ : state) {
    ClearActions();
    benchmark::DoNotOptimize(LoadActions(path.c_str()));
  }
  state.counters["actions"] =
      static_cast<double>(GetActionsOfTheme("Theme number 0").size() * kThemes);
  state.counters["messages"] = static_cast<double>(World().platform.messages().Count());
  ClearActions();
}
BENCHMARK(BM_LoadActions1000)->Unit(benchmark::kMillisecond);

// 5,000 combinations, each listed before the one it uses, in chains of state.range(0) ending in
// a key action (the deepest a combination may nest is 255 levels).
void BM_LoadCombinationsInReverse(benchmark::State& state) {
  World();
  const int chain = static_cast<int>(state.range(0));
  std::string file = "<Actions><ComplexActions>";
  for (int i = 0; i < 5000; ++i) {
    const std::string part = (i + 1) % chain == 0 ? "K" : "C" + std::to_string(i + 1);
    file += "<ComplexAction name='C" + std::to_string(i) + "'><CombinedAction theme='' name='" +
            part + "'/></ComplexAction>";
  }
  file += "</ComplexActions><VKActions><VKAction name='K' value='0x41'/></VKActions></Actions>";
  const std::string path =
      (std::filesystem::temp_directory_path() / "tandrel_bench_combinations.xml").string();
  std::ofstream(path, std::ios::binary) << file;
  World().platform.messages().ClearLog();
  for (auto _ : state) benchmark::DoNotOptimize(ReloadActions(path.c_str()));
  state.counters["actions"] = static_cast<double>(GetActionsOfTheme("").size());
  state.counters["messages"] = static_cast<double>(World().platform.messages().Count());
  ClearActions();
}
BENCHMARK(BM_LoadCombinationsInReverse)->Arg(1)->Arg(50)->Arg(250)->Unit(benchmark::kMillisecond);

void BM_CreateActionsXML1000(benchmark::State& state) {
  World();
  ClearActions();
  ReloadActions(WriteActionsFile().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(CreateActionsXML());
  ClearActions();
}
BENCHMARK(BM_CreateActionsXML1000)->Unit(benchmark::kMillisecond);

}  // namespace
