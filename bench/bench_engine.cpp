// The controller's hot paths on a simulated gamepad with 6 axes, a hat and 32 buttons whose
// profile has 4 shift buttons and an action in every slot: one poll (a) with nothing changed
// since the last one, (b) with one button pressed or released, (c) with one axis sweeping
// across its range, (d) with a pad's two triggers sweeping together (its Z read as two inputs);
// and (e) loading that profile into a freshly opened controller. Polls are
// called directly on the benchmark's thread; the timer service is virtual time that never
// advances, so the actions' own timers never tick.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "actions/ActionLibrary.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "engine/Joystick.h"
#include "platform/PadLayout.h"
#include "platform/sim/SimPlatform.h"
#include "timer/VirtualTimerService.h"

namespace {

constexpr int kShiftButtons = 4;
constexpr int kShiftStates = kShiftButtons + 1;

// Every slot of every element holds an action: buttons and hat directions a key in each shift
// state plus a release action, axes two thresholds per direction and shift state.
std::string FullProfile() {
  std::string text = "<Joystick ID='0' name='Bench Pad' Delay='30'><ShiftButtons>";
  for (int k = 0; k < kShiftButtons; ++k) {
    text += "<ShiftButton ButtonNumber='" + std::to_string(29 + k) + "'/>";
  }
  text += "</ShiftButtons><Axes>";
  const char* axes[] = {"X Axis", "Y Axis", "Z Axis", "R Axis", "U Axis", "V Axis"};
  for (const char* axis : axes) {
    text += std::string("<Axis name='") + axis + "' type='Horizontal'>";
    for (const char* direction : {"Left", "Right"}) {
      text += std::string("<Direction Name='") + direction + "'><Actions>";
      for (int s = 0; s < kShiftStates; ++s) {
        text += "<Action Number='" + std::to_string(s) + "' Theme='Mouse' Name='" + direction +
                "'/><Action Number='" + std::to_string(s) + "' Theme='Keys' Name='K" +
                std::to_string(s) + "' percent='60'/>";
      }
      text += "</Actions></Direction>";
    }
    text += "</Axis>";
  }
  auto lists = [](int key) {
    std::string lists = "<Actions>";
    for (int s = 0; s < kShiftStates; ++s) {
      lists += "<Action number='" + std::to_string(s) + "' Theme='Keys' name='K" +
               std::to_string((key + s) % 10) + "'/>";
    }
    lists += "</Actions><ReleaseActions>";
    for (int s = 0; s < kShiftStates; ++s) {
      lists += "<Action number='" + std::to_string(s) + "' Theme='Keys' name='K" +
               std::to_string((key + s + 5) % 10) + "'/>";
    }
    return lists + "</ReleaseActions>";
  };
  text += "</Axes><Buttons>";
  for (int n = 1; n <= 32; ++n) {
    text += "<Button number='" + std::to_string(n) + "'>" + lists(n) + "</Button>";
  }
  text += "</Buttons><POV>";
  for (const char* direction : {"forward", "right", "backward", "left"}) {
    text += std::string("<Direction name='") + direction + "'>" + lists(3) + "</Direction>";
  }
  return text + "</POV></Joystick>";
}

class Bench {
 public:
  explicit Bench(const seam::JoystickCaps& caps = seam::MakeJoystickCaps("ZRUV", 32, true, 0, 65535,
                                                                         "Bench Pad")) {
    platform_.UseClock(&timers_);
    services_ = std::make_unique<seam::ScopedServices>(platform_.services());
    timerService_ = std::make_unique<ScopedTimerService>(&timers_);
    caps_ = caps;
    platform_.joysticks().Plug(0, caps_);
    ClearActions();
    for (int k = 0; k < 10; ++k) {
      const char name[] = {'K', static_cast<char>('0' + k), '\0'};
      auto key = std::make_unique<CVKAction>(0x30 + k, PushType::Hold, name);
      key->SetTheme("Keys");
      AddAction(std::move(key));
    }
    for (auto [name, direction] : {std::pair{"Left", 270}, std::pair{"Right", 90}}) {
      auto mouse =
          std::make_unique<CMouseAction>(PushType::Hold, false, 30, 70, 20, direction, name);
      mouse->SetTheme("Mouse");
      AddAction(std::move(mouse));
    }
    path_ = (std::filesystem::temp_directory_path() / "tandrel_bench_profile.xml").string();
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << FullProfile();
  }
  ~Bench() {
    ClearActions();
    std::filesystem::remove(path_);
  }

  // A controller opened and loaded, polling (its timer runs on the virtual service).
  std::unique_ptr<CJoystick> Loaded() {
    auto joystick = std::make_unique<CJoystick>();
    if (!joystick->Open(0) || !joystick->LoadProfile(path_.c_str(), false)) return nullptr;
    return joystick;
  }

  seam::SimPlatform& platform() { return platform_; }
  const std::string& path() const { return path_; }
  seam::JoystickState Rest() const { return seam::CenteredJoystickState(caps_); }

 private:
  seam::SimPlatform platform_;
  VirtualTimerService timers_;
  std::unique_ptr<seam::ScopedServices> services_;
  std::unique_ptr<ScopedTimerService> timerService_;
  seam::JoystickCaps caps_;
  std::string path_;
};

void PollNothingChanged(benchmark::State& state) {
  Bench bench;
  auto joystick = bench.Loaded();
  if (!joystick) return state.SkipWithError("profile not loaded");
  bench.platform().joysticks().SetState(0, bench.Rest());
  joystick->OnTimer();
  for (auto _ : state) joystick->OnTimer();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PollNothingChanged);

// A noisy stick: the reading moves by less than the sensitivity, so every element is
// evaluated and none does anything.
void PollJitterOnly(benchmark::State& state) {
  Bench bench;
  auto joystick = bench.Loaded();
  if (!joystick) return state.SkipWithError("profile not loaded");
  seam::JoystickState a = bench.Rest();
  seam::JoystickState b = a;
  b.xPos += 1;
  auto& joysticks = bench.platform().joysticks();
  std::int64_t polls = 0;
  for (auto _ : state) {
    joysticks.SetState(0, (polls++ & 1) != 0 ? a : b);
    joystick->OnTimer();
  }
  state.SetItemsProcessed(polls);
}
BENCHMARK(PollJitterOnly);

void PollOneButtonPressedAndReleased(benchmark::State& state) {
  Bench bench;
  auto joystick = bench.Loaded();
  if (!joystick) return state.SkipWithError("profile not loaded");
  seam::JoystickState up = bench.Rest();
  seam::JoystickState down = up;
  down.buttons = 1u << 4;  // button 5: a key in its press list and another in its release list
  auto& joysticks = bench.platform().joysticks();
  joysticks.SetState(0, up);
  joystick->OnTimer();  // armed
  std::int64_t polls = 0;
  for (auto _ : state) {
    joysticks.SetState(0, down);
    joystick->OnTimer();
    joysticks.SetState(0, up);
    joystick->OnTimer();
    polls += 2;
    if ((polls & 0xFFF) == 0) {
      state.PauseTiming();
      bench.platform().input().ClearLog();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(polls);
  state.counters["ns_per_poll"] = benchmark::Counter(
      static_cast<double>(polls), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PollOneButtonPressedAndReleased);

// Polls while `place` puts a value that sweeps over 0..65535 and back into the state.
template <typename Place>
void PollSweeping(benchmark::State& state, Bench& bench, Place place) {
  auto joystick = bench.Loaded();
  if (!joystick) return state.SkipWithError("profile not loaded");
  seam::JoystickState position = bench.Rest();
  auto& joysticks = bench.platform().joysticks();
  std::int64_t step = 1500;
  std::int64_t value = 32767;
  std::int64_t polls = 0;
  for (auto _ : state) {
    value += step;
    if (value > 65535 || value < 0) {
      step = -step;
      value += 2 * step;
    }
    place(position, static_cast<std::uint32_t>(value));
    joysticks.SetState(0, position);
    joystick->OnTimer();
    if ((++polls & 0xFFF) == 0) {
      state.PauseTiming();
      bench.platform().input().ClearLog();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(polls);
}

void PollOneAxisSweeping(benchmark::State& state) {
  Bench bench;
  PollSweeping(state, bench, [](seam::JoystickState& s, std::uint32_t x) { s.xPos = x; });
}
BENCHMARK(PollOneAxisSweeping);

void PollPadTriggersSweeping(benchmark::State& state) {
  Bench bench(seam::PadCaps("Bench Pad"));
  PollSweeping(state, bench, [](seam::JoystickState& s, std::uint32_t pull) {
    s.leftTrigger = pull;
    s.rightTrigger = 65535 - pull;
  });
}
BENCHMARK(PollPadTriggersSweeping);

void LoadFullProfile(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) {
    state.PauseTiming();
    auto joystick = std::make_unique<CJoystick>();
    joystick->Open(0);
    state.ResumeTiming();
    const bool loaded = joystick->LoadProfile(bench.path().c_str(), true);
    state.PauseTiming();
    if (!loaded) return state.SkipWithError("profile not loaded");
    joystick.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(LoadFullProfile)->Unit(benchmark::kMicrosecond);

}  // namespace
