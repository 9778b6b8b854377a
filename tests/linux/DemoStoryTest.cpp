// The demonstration of data/Demo.replay, live: tandrel runs the default files on virtual SDL
// controllers and a real X server, driven by the script on the wall clock, and the X server
// delivers, key for key and button for button, what `tandrel-cli replay` prints for the same
// script, at the times it prints them (within kTolerance). Wheel notches and the pointer's way
// add up steps whose number depends on where the timer ticks fall: they are compared within
// one step.
#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <map>
#include <sstream>
#include <thread>

#include "app/linux/TandrelRun.h"
#include "platform/XKeyTable.h"
#include "replay/ReplayScriptParser.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "support/VirtualPad.h"
#include "support/XRecorder.h"

#include <X11/XKBlib.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr long kTolerance = 60;  // ms

struct Expected {
  std::vector<XRecord> presses;  // keys and buttons 1..3, times from the start
  long wheelNotches = 0;         // up positive
  int moveX = 0, moveY = 0;
  std::vector<std::string> profiles;
};

// The replay's output in X's terms.
Expected FromReplay(const std::string& output, ::Display* display) {
  Expected expected;
  long wheelDelta = 0;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    unsigned long time = 0;
    std::string kind, a, b;
    words >> time >> kind >> a >> b;
    if (kind == "key") {
      const auto keysym =
          seam::KeysymForVirtualKey(static_cast<std::uint8_t>(std::stoul(a, nullptr, 16)));
      const KeyCode keycode = XKeysymToKeycode(display, keysym.value_or(0));
      expected.presses.push_back(
          {XRecord::Key, b == "down", XkbKeycodeToKeysym(display, keycode, 0, 0), time});
    } else if (kind == "mouse" && a == "move") {
      int dy = 0;
      words >> dy;
      expected.moveX += std::stoi(b);
      expected.moveY += dy;
    } else if (kind == "mouse") {
      const std::map<std::string, unsigned long> buttons = {
          {"left", 1}, {"middle", 2}, {"right", 3}};
      expected.presses.push_back({XRecord::Button, b == "down", buttons.at(a), time});
    } else if (kind == "wheel") {
      wheelDelta += std::stol(a);
    } else if (kind == "profile") {
      expected.profiles.push_back("profile " + a + " " + b);
    }
  }
  expected.wheelNotches = wheelDelta / 120;
  return expected;
}

TEST(DemoStory, LiveOnXTheDemonstrationDeliversWhatTheReplayPrints) {
  TempFolder folder;
  for (const char* name :
       {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml", "Demo.replay"}) {
    fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, folder.path() / name);
  }
  ASSERT_EQ(ChildProcess({TANDREL_CLI, "replay", folder.File("Demo.replay")}, {},
                         folder.File("replay.txt"), folder.File("replay-err.txt"))
                .Wait(),
            0)
      << ReadFile(folder.File("replay-err.txt"));
  const auto parsed = replay::CReplayScriptParser::Parse(ReadFile(folder.File("Demo.replay")));
  ASSERT_TRUE(parsed.script) << parsed.error.reason;

  XRecorder recorder;
  XkbSetAutoRepeatRate(recorder.display(), XkbUseCoreKbd, 660, 40);
  recorder.MovePointer(640, 512);
  const Expected expected = FromReplay(ReadFile(folder.File("replay.txt")), recorder.display());
  // The script's one controller, with its axes up to the last it names, and its windows.
  ASSERT_EQ(parsed.script->controllers.size(), 1u);
  const auto axisIndex = [](char letter) { return int(std::string("XYZRUV").find(letter)); };
  const replay::ControllerDeclaration& c = parsed.script->controllers[0];
  VirtualPad pad(c.name, axisIndex(c.axes.back()) + 1, static_cast<int>(c.buttons), c.pov);
  using Kind = replay::Event::Kind;
  std::map<std::string, Window> windows;
  for (const auto& e : parsed.script->events) {
    if (e.kind == Kind::Window && !windows.count(e.title))
      windows[e.title] = recorder.MakeWindow(e.title);
  }

  const int stop = eventfd(0, EFD_CLOEXEC);
  std::FILE* out = std::fopen(folder.File("out.txt").c_str(), "w");
  std::FILE* err = std::fopen(folder.File("err.txt").c_str(), "w");
  std::promise<void> started;
  app::RunSettings settings;
  settings.folder = folder.path().string();
  settings.verbose = true;
  settings.out = out;
  settings.err = err;
  settings.stopFd = stop;
  settings.started = [&] { started.set_value(); };
  int code = -1;
  std::thread program([&] { code = app::RunTandrel(settings); });
  ASSERT_EQ(started.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
  const Clock::time_point start = Clock::now();
  const unsigned long serverStart = recorder.ServerTime();
  recorder.Take();

  for (const replay::Event& e : parsed.script->events) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(e.time));
    e.kind == Kind::Button   ? pad.Button(e.button, e.down)
    : e.kind == Kind::Axis   ? pad.Axis(axisIndex(e.axis), e.value)
    : e.kind == Kind::Pov    ? pad.Pov(e.value)
    : e.kind == Kind::Window ? recorder.Activate(windows.at(e.title))
    : e.kind == Kind::Unplug ? pad.Unplug()
                             : pad.Plug();  // the story has no reload
  }
  std::this_thread::sleep_until(start + std::chrono::milliseconds(parsed.script->end));
  const std::uint64_t one = 1;
  ASSERT_EQ(write(stop, &one, sizeof one), static_cast<ssize_t>(sizeof one));
  program.join();
  std::fclose(out);
  std::fclose(err);
  close(stop);
  EXPECT_EQ(code, 0);
  // The controller pulled out was the only one: that is said once, and nothing else.
  EXPECT_EQ(ReadFile(folder.File("err.txt")),
            "tandrel: no game controller present (if one is plugged in, check that this user may "
            "read it: ls -lL /dev/input/by-id/*-event-joystick)\n");

  std::vector<XRecord> presses;
  long wheelNotches = 0;
  for (const XRecord& r : recorder.Take()) {
    if (r.kind == XRecord::Button && r.code >= 4) {
      wheelNotches += r.down ? (r.code == 4 ? 1 : -1) : 0;
    } else {
      presses.push_back({r.kind, r.down, r.code, r.time - serverStart});
    }
  }
  ASSERT_EQ(presses.size(), expected.presses.size());
  long latest = 0;
  for (std::size_t i = 0; i < presses.size(); ++i) {
    const XRecord& live = presses[i];
    const XRecord& wanted = expected.presses[i];
    EXPECT_EQ(std::tuple(live.kind, live.down, live.code),
              std::tuple(wanted.kind, wanted.down, wanted.code))
        << "event " << i;
    const long late = static_cast<long>(live.time) - static_cast<long>(wanted.time);
    EXPECT_LE(std::abs(late), kTolerance) << "event " << i << " at " << wanted.time;
    latest = std::max(latest, std::abs(late));
  }
  std::printf("largest time difference: %ld ms\n", latest);
  EXPECT_LE(std::abs(wheelNotches - expected.wheelNotches), 1);
  int x = 0, y = 0;
  recorder.Pointer(x, y);
  // One step of the pointer at full speed is well under a tenth of its way here.
  EXPECT_NEAR(x - 640, expected.moveX, std::max(10, std::abs(expected.moveX) / 5));
  EXPECT_NEAR(y - 512, expected.moveY, std::max(10, std::abs(expected.moveY) / 5));

  std::vector<std::string> profiles;
  std::istringstream lines(ReadFile(folder.File("out.txt")));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("profile ", 0) == 0) profiles.push_back(line);
  }
  EXPECT_EQ(profiles, expected.profiles);
}

}  // namespace
