// The Linux adapters against real SDL (virtual joysticks) and a real X server (Xvfb).
// Before any X header: Xlib's macros (None, Bool) break gtest's templates and the seam's
// enumerations.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/XKeyTable.h"
#include "platform/linux/ActiveWindowWatcher.h"
#include "platform/linux/SdlJoysticks.h"
#include "platform/linux/XConnection.h"
#include "platform/linux/XDesktop.h"
#include "platform/linux/XKeyboardLayout.h"
#include "platform/linux/XTestInput.h"
#include "support/ChildProcess.h"
#include "support/VirtualPad.h"
#include "support/XRecorder.h"

#include <X11/XKBlib.h>

namespace {

using seam::JoystickCaps;
using seam::JoystickState;

std::unique_ptr<seam::SdlJoysticks> OpenJoysticks(std::vector<std::string>* reports = nullptr) {
  std::string reason;
  auto joysticks =
      seam::SdlJoysticks::Open(reason, [reports](int id, const std::string& name, bool arrived) {
        if (reports) reports->push_back(std::to_string(id) + (arrived ? " + " : " - ") + name);
      });
  EXPECT_TRUE(joysticks) << reason;
  return joysticks;
}

TEST(SdlJoysticks, DevicesTakeIdsInTheOrderTheyAppearAndKeepThemUntilPulledOut) {
  std::vector<std::string> reports;
  VirtualPad first("First Pad", 5, 10, true);
  auto joysticks = OpenJoysticks(&reports);
  VirtualPad second("Second Pad", 2, 4, false);
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(1); }));
  EXPECT_TRUE(joysticks->IsPresent(0));
  EXPECT_FALSE(joysticks->IsPresent(2));
  EXPECT_FALSE(joysticks->IsPresent(-1));
  EXPECT_FALSE(joysticks->IsPresent(16));

  JoystickCaps caps;
  ASSERT_TRUE(joysticks->GetCaps(0, caps));
  EXPECT_EQ(caps.caps, seam::kCapsHasZ | seam::kCapsHasR | seam::kCapsHasU | seam::kCapsHasPov);
  EXPECT_EQ(caps.numButtons, 10u);
  EXPECT_STREQ(caps.productName, "First Pad");
  EXPECT_EQ(caps.xMax, 65535u);
  ASSERT_TRUE(joysticks->GetCaps(1, caps));
  EXPECT_EQ(caps.caps, 0u);
  EXPECT_EQ(caps.numButtons, 4u);

  first.Unplug();
  ASSERT_TRUE(Eventually([&] { return !joysticks->IsPresent(0); }));
  EXPECT_FALSE(joysticks->GetCaps(0, caps));
  EXPECT_TRUE(joysticks->IsPresent(1));
  // A new device takes the lowest free ID; the one plugged in again the next.
  VirtualPad third("Third Pad", 2, 2, false);
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(0); }));
  first.Plug();
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(2); }));
  ASSERT_TRUE(joysticks->GetCaps(0, caps));
  EXPECT_STREQ(caps.productName, "Third Pad");
  EXPECT_EQ(reports, (std::vector<std::string>{"0 + First Pad", "1 + Second Pad", "0 - First Pad",
                                               "0 + Third Pad", "2 + First Pad"}));
}

TEST(SdlJoysticks, SixteenDevicesHaveIdsAndASeventeenthWaitsForAFreeOne) {
  auto joysticks = OpenJoysticks();
  std::vector<std::unique_ptr<VirtualPad>> pads;
  for (int i = 0; i < 17; ++i) {
    pads.push_back(std::make_unique<VirtualPad>("Pad " + std::to_string(i), 2, 2 + i, false));
  }
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(15); }));
  pads[3]->Unplug();
  JoystickCaps caps;
  ASSERT_TRUE(Eventually([&] { return joysticks->GetCaps(3, caps) && caps.numButtons == 18; }));
  EXPECT_STREQ(caps.productName, "Pad 16");
}

TEST(SdlJoysticks, StatesAreScaledToTheEngineRange) {
  VirtualPad pad("Pad", 4, 34, true, 3);
  auto joysticks = OpenJoysticks();
  ASSERT_TRUE(joysticks->IsPresent(0));  // opened with the sticks centred, the trigger let go
  pad.Axis(0, 0);                        // SDL's -32768
  pad.Axis(1, 65535);
  pad.Axis(2, 16384);
  pad.Axis(3, 65535);  // the trigger pressed fully
  pad.Button(1, true);
  pad.Button(10, true);
  pad.Button(33, true);  // beyond what the engine reads
  pad.Pov(27000);
  JoystickState state;
  ASSERT_TRUE(Eventually([&] { return joysticks->GetState(0, state) && state.buttons != 0; }));
  EXPECT_EQ(state.xPos, 0u);
  EXPECT_EQ(state.yPos, 65535u);
  EXPECT_EQ(state.zPos, 16384u);
  EXPECT_EQ(state.rPos, 65534u);
  EXPECT_EQ(state.uPos, 32767u);  // a missing axis rests in the middle
  EXPECT_EQ(state.buttons, 0x201u);
  EXPECT_EQ(state.buttonNumber, 2u);
  EXPECT_EQ(state.pov, 27000u);
  pad.Pov(seam::kPovCentered);
  pad.Axis(3, 0);  // the trigger let go: in the middle
  ASSERT_TRUE(
      Eventually([&] { return joysticks->GetState(0, state) && state.pov == seam::kPovCentered; }));
  EXPECT_EQ(state.rPos, 32767u);
  EXPECT_FALSE(joysticks->GetState(1, state));

  const std::pair<Uint8, std::uint32_t> hats[] = {{SDL_HAT_UP, 0},
                                                  {SDL_HAT_RIGHTUP, 4500},
                                                  {SDL_HAT_RIGHT, 9000},
                                                  {SDL_HAT_RIGHTDOWN, 13500},
                                                  {SDL_HAT_DOWN, 18000},
                                                  {SDL_HAT_LEFTDOWN, 22500},
                                                  {SDL_HAT_LEFT, 27000},
                                                  {SDL_HAT_LEFTUP, 31500},
                                                  {SDL_HAT_CENTERED, seam::kPovCentered}};
  for (const auto& [hat, pov] : hats) EXPECT_EQ(seam::PovOfHat(hat), pov) << int(hat);
}

class XAdapters : public ::testing::Test {
 protected:
  XAdapters() {
    seam::InstallXErrorHandlers();
    std::string reason;
    connection = seam::XConnection::Open(reason);
    EXPECT_TRUE(connection) << reason;
    input = std::make_unique<seam::XTestInput>(*connection);
  }
  // The key of a record as the keycode that types its keysym.
  unsigned Keycode(unsigned long keysym) { return XKeysymToKeycode(recorder.display(), keysym); }

  XRecorder recorder;
  std::unique_ptr<seam::XConnection> connection;
  std::unique_ptr<seam::XTestInput> input;
};

TEST_F(XAdapters, EveryKeyOfTheTableReachesTheFocusedWindow) {
  for (const seam::XKeyEntry& key : seam::XKeyTable()) {
    input->KeyboardEvent(key.vk, 0, 0);
    input->KeyboardEvent(key.vk, 0, seam::kKeyUp);
    const auto records = recorder.Take();
    ASSERT_EQ(records.size(), 2u) << std::hex << int(key.vk);
    EXPECT_TRUE(records[0].down && !records[1].down);
    // The keycode that now types the keysym (a borrowed one where the map lacked it).
    EXPECT_EQ(Keycode(records[0].code), Keycode(key.keysym)) << std::hex << int(key.vk);
  }
  EXPECT_TRUE(recorder.KeysDown().empty());
}

TEST_F(XAdapters, PointerMovesButtonsAndWheelNotches) {
  recorder.MovePointer(100, 100);
  int x = 0, y = 0;
  input->MouseEvent(seam::kMouseMove, 30, -20, 0);
  recorder.Pointer(x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(130, 80));
  input->MouseEvent(seam::kMouseMove | seam::kMouseAbsolute, 32768, 16384, 0);
  recorder.Pointer(x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(640, 256));

  input->MouseEvent(seam::kMouseRightDown | seam::kMouseMiddleDown, 0, 0, 0);
  input->MouseEvent(seam::kMouseRightUp | seam::kMouseMiddleUp, 0, 0, 0);
  input->MouseEvent(seam::kMouseWheel, 0, 0, 120);
  input->MouseEvent(seam::kMouseWheel, 0, 0, -240);
  input->MouseEvent(seam::kMouseWheel, 0, 0, 60);  // half a notch waits for the other half
  input->MouseEvent(seam::kMouseWheel, 0, 0, 60);
  std::vector<std::pair<unsigned long, bool>> buttons;
  for (const XRecord& r : recorder.Take()) buttons.emplace_back(r.code, r.down);
  EXPECT_EQ(buttons, (std::vector<std::pair<unsigned long, bool>>{{3, true},
                                                                  {2, true},
                                                                  {3, false},
                                                                  {2, false},
                                                                  {4, true},
                                                                  {4, false},
                                                                  {5, true},
                                                                  {5, false},
                                                                  {5, true},
                                                                  {5, false},
                                                                  {4, true},
                                                                  {4, false}}));
}

TEST_F(XAdapters, WhatIsHeldIsReleasedOnRequestAndAtTheEnd) {
  std::vector<std::uint8_t> unsendable;
  input->OnUnsendableKey([&](std::uint8_t vk) { unsendable.push_back(vk); });
  for (int i = 0; i < 2; ++i) {
    input->KeyboardEvent(0x41, 0, 0);  // again: the server repeats a held key itself
    input->MouseEvent(seam::kMouseLeftDown, 0, 0, 0);
    input->KeyboardEvent(0xE5, 0, 0);  // no X key: told once, nothing sent
  }
  EXPECT_EQ(unsendable, std::vector<std::uint8_t>{0xE5});
  auto records = recorder.Take();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].code, 'a');
  EXPECT_EQ(records[1].code, 1u);
  input->ReleaseAll();
  EXPECT_TRUE(recorder.KeysDown().empty());
  EXPECT_EQ(recorder.ButtonMask(), 0u);

  input->KeyboardEvent(0x10, 0, 0);
  input->MouseEvent(seam::kMouseRightDown, 0, 0, 0);
  ASSERT_FALSE(recorder.KeysDown().empty());
  input.reset();
  EXPECT_TRUE(recorder.KeysDown().empty());
  EXPECT_EQ(recorder.ButtonMask(), 0u);
}

TEST_F(XAdapters, DesktopSettingsAndKeyboardLayoutComeFromTheServer) {
  seam::XDesktop desktop(*connection);
  XkbSetAutoRepeatRate(recorder.display(), XkbUseCoreKbd, 500, 33);
  XSync(recorder.display(), False);
  EXPECT_EQ(desktop.KeyboardDelay(), 1);
  EXPECT_EQ(desktop.KeyboardSpeed(), 31);
  const struct {
    unsigned delay, interval;
    int delaySetting, speedSetting;
  } rates[] = {{100, 500, 0, 0}, {660, 40, 2, 30}, {874, 106, 2, 25}, {876, 10, 3, 31}};
  for (const auto& r : rates) {
    EXPECT_EQ(seam::XDesktop::DelaySettingFor(r.delay), r.delaySetting) << r.delay;
    EXPECT_EQ(seam::XDesktop::SpeedSettingFor(r.interval), r.speedSetting) << r.interval;
  }
  EXPECT_EQ(desktop.FullScreenWidth(), 1280);
  EXPECT_EQ(desktop.FullScreenHeight(), 1024);
  recorder.MovePointer(7, 9);
  int x = 0, y = 0;
  ASSERT_TRUE(desktop.GetCursorPos(x, y));
  EXPECT_EQ(std::pair(x, y), std::pair(7, 9));

  seam::XKeyboardLayout layout(*connection);
  EXPECT_EQ(layout.KeyForChar('a'), 0x41);
  EXPECT_EQ(layout.KeyForChar('A'), 0x141);
  EXPECT_EQ(layout.KeyForChar('1'), 0x31);
  EXPECT_EQ(layout.KeyForChar('!'), 0x131);
  EXPECT_EQ(layout.KeyForChar('\x01'), -1);
  EXPECT_EQ(layout.MapKey(0x41, seam::kMapVkToChar), unsigned('A'));
  EXPECT_EQ(layout.MapKey(0x25, seam::kMapVkToChar), 0u);
  EXPECT_EQ(layout.MapKey(0x41, seam::kMapVkToScan), 0x1Eu);
  EXPECT_EQ(layout.MapKey(0xE5, seam::kMapVkToScan), 0u);
}

TEST(ActiveWindowWatcher, FollowsTheActiveWindowAndItsTitleByEvents) {
  XRecorder manager;
  std::vector<std::string> titles;
  std::string reason;
  auto watcher = seam::ActiveWindowWatcher::Open(
      reason, [&](const std::string& title) { titles.push_back(title); });
  ASSERT_TRUE(watcher) << reason;
  const auto reported = [&](std::vector<std::string> expected) {
    return Eventually([&] { return watcher->Dispatch() && titles == expected; },
                      std::chrono::seconds(5));
  };
  watcher->ReportCurrent();
  EXPECT_EQ(titles, std::vector<std::string>{""});

  const Window editor = manager.MakeWindow("Notes - Editor");
  const Window legacy = manager.MakeWindow("Old Program", false);
  const Window longTitle = manager.MakeWindow(std::string(300, 'x'));
  manager.Activate(editor);
  EXPECT_TRUE(reported({"", "Notes - Editor"}));
  manager.SetTitle(editor, "Plans - Editor");
  manager.SetTitle(legacy, "Old Program 2", false);  // not active: no report
  EXPECT_TRUE(reported({"", "Notes - Editor", "Plans - Editor"}));
  manager.Activate(legacy);
  EXPECT_TRUE(reported({"", "Notes - Editor", "Plans - Editor", "Old Program 2"}));
  manager.Activate(longTitle);
  EXPECT_TRUE(reported({"", "Notes - Editor", "Plans - Editor", "Old Program 2",
                        std::string(seam::ActiveWindowWatcher::kMaxTitle, 'x')}));
  XDestroyWindow(manager.display(), longTitle);
  manager.Activate(longTitle);  // gone: its title reads as empty
  EXPECT_TRUE(reported({"", "Notes - Editor", "Plans - Editor", "Old Program 2",
                        std::string(seam::ActiveWindowWatcher::kMaxTitle, 'x'), ""}));
}

}  // namespace
