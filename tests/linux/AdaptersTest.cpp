// The Linux adapters against real SDL (virtual joysticks) and a real X server (Xvfb).
// Before any X header: Xlib's macros (None, Bool) break gtest's templates and the seam's
// enumerations.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/XKeyTable.h"
#include "platform/linux/SdlJoysticks.h"
#include "platform/linux/XConnection.h"
#include "platform/linux/XDesktop.h"
#include "platform/linux/XKeyboardLayout.h"
#include "platform/linux/XTestInput.h"
#include "support/ChildProcess.h"
#include "support/PadPromises.h"
#include "support/VirtualPad.h"
#include "support/XRecorder.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

using seam::JoystickCaps;
using seam::JoystickState;

std::unique_ptr<seam::SdlJoysticks> OpenJoysticks(std::vector<std::string>* reports = nullptr) {
  std::string reason;
  auto joysticks = seam::SdlJoysticks::Open(
      reason, [reports](int id, const std::string& name, bool arrived, seam::ControllerLayout) {
        if (reports) reports->push_back(std::to_string(id) + (arrived ? " + " : " - ") + name);
      });
  EXPECT_TRUE(joysticks) << reason;
  return joysticks;
}

// The IDs present among -1..16.
std::string Present(seam::SdlJoysticks& joysticks) {
  std::string ids;
  for (int id = -1; id <= 16; ++id) ids += joysticks.IsPresent(id) ? std::to_string(id) : "";
  return ids;
}

// Capability bits (hex), button count, product name and X range, "pad" for the pad layout, or
// "none".
std::string Caps(seam::SdlJoysticks& joysticks, int id) {
  JoystickCaps c;
  if (!joysticks.GetCaps(id, c)) return "none";
  std::ostringstream text;
  text << std::hex << c.caps << std::dec << " " << c.numButtons << " " << c.productName << " "
       << c.xMin << ".." << c.xMax << (c.layout == seam::ControllerLayout::Pad ? " pad" : "");
  return text.str();
}

TEST(SdlJoysticks, DevicesTakeIdsInTheOrderTheyAppearAndKeepThemUntilPulledOut) {
  std::vector<std::string> reports;
  VirtualPad first("First Pad", 5, 10, true);
  auto joysticks = OpenJoysticks(&reports);
  VirtualPad second("Second Pad", 2, 4, false);
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(1); }));
  EXPECT_EQ(Present(*joysticks), "01");
  // Z, R, U and the hat.
  EXPECT_EQ(Caps(*joysticks, 0), "17 10 First Pad 0..65535");
  EXPECT_EQ(Caps(*joysticks, 1), "0 4 Second Pad 0..65535");

  first.Unplug();
  ASSERT_TRUE(Eventually([&] { return !joysticks->IsPresent(0); }));
  EXPECT_EQ(Caps(*joysticks, 0), "none");
  EXPECT_EQ(Present(*joysticks), "1");
  // A new device takes the lowest free ID; the one plugged in again the next.
  VirtualPad third("Third Pad", 2, 2, false);
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(0); }));
  first.Plug();
  ASSERT_TRUE(Eventually([&] { return joysticks->IsPresent(2); }));
  EXPECT_EQ(Caps(*joysticks, 0), "0 2 Third Pad 0..65535");
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
  EXPECT_TRUE(Eventually([&] { return Caps(*joysticks, 3) == "0 18 Pad 16 0..65535"; }));
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
  // X Y Z R U V, the buttons (hex), their count and the hat.
  const auto state = [&] {
    JoystickState s;
    if (!joysticks->GetState(0, s)) return std::string("none");
    std::ostringstream text;
    for (auto position : {s.xPos, s.yPos, s.zPos, s.rPos, s.uPos, s.vPos}) text << position << " ";
    text << std::hex << s.buttons << std::dec << " " << s.buttonNumber << " " << s.pov;
    return text.str();
  };
  // The trigger pressed fully; a missing axis rests in the middle.
  EXPECT_TRUE(Eventually([&] { return state() == "0 65535 16384 65534 32767 32767 201 2 27000"; }))
      << state();
  pad.Pov(seam::kPovCentered);
  pad.Axis(3, 0);  // the trigger let go: in the middle
  EXPECT_TRUE(Eventually([&] { return state() == "0 65535 16384 32767 32767 32767 201 2 65535"; }))
      << state();
  JoystickState none;
  EXPECT_FALSE(joysticks->GetState(1, none));
  const Uint8 hats[] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                        SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP};
  for (std::uint32_t i = 0; i < 8; ++i) EXPECT_EQ(seam::PovOfHat(hats[i]), 4500 * i) << i;
  EXPECT_EQ(seam::PovOfHat(SDL_HAT_CENTERED), seam::kPovCentered);
}

// Pads that SDL knows as game controllers, in the device orders of common pads, are read in
// the layout of Windows: the README's table (the one Windows is held to) holds for each, and a
// stick held at one end as the pad is plugged in is still a stick, not a trigger.
TEST(SdlJoysticks, PadsInEveryDeviceOrderKeepTheDefaultProfilesPromises) {
  for (const PadOrder* order : {&kXpadOrder, &kPlayStationOrder, &kDirectInputOrder}) {
    SCOPED_TRACE(order->driver);
    VirtualPad pad("Pad", *order, {.rightY = -32768});  // the right stick held up
    auto joysticks = OpenJoysticks();
    EXPECT_EQ(Caps(*joysticks, 0), "17 10 Pad 0..65535 pad");
    JoystickState state;
    ASSERT_TRUE(joysticks->GetState(0, state));
    EXPECT_EQ(state.rPos, 0u);
    pad.Set({});
    ASSERT_TRUE(joysticks->GetState(0, state));
    EXPECT_EQ(state.rPos, 32768u);
    EXPECT_EQ(BrokenPadPromises(TANDREL_SOURCE_DIR "/data", *joysticks,
                                [&pad](const seam::PadReading& r) { pad.Set(r); }),
              std::vector<std::string>{});
  }
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
    // "Press a key" takes the key back as the last code that sends it (left Shift: 0xA0).
    EXPECT_EQ(seam::VirtualKeyForKeysym(key.keysym), key.vk == 0x10   ? 0xA0
                                                     : key.vk == 0x11 ? 0xA2
                                                     : key.vk == 0x12 ? 0xA4
                                                     : key.vk == 0x2A ? 0x2C
                                                                      : key.vk)
        << std::hex << int(key.vk);
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
  std::string buttons;  // d: down, u: up
  for (const XRecord& r : recorder.Take())
    buttons += std::to_string(r.code) + (r.down ? "d " : "u ");
  EXPECT_EQ(buttons, "3d 2d 3u 2u 4d 4u 5d 5u 5d 5u 4d 4u ");
}

TEST_F(XAdapters, WhatIsHeldIsReleasedOnRequestAndAtTheEnd) {
  std::vector<std::uint8_t> unsendable;
  input->OnUnsendableKey([&](std::uint8_t vk) { unsendable.push_back(vk); });
  for (int i = 0; i < 2; ++i) {
    input->KeyboardEvent(0x41, 0, 0);  // again: the server repeats a held key itself
    input->MouseEvent(seam::kMouseLeftDown, 0, 0, 0);
    input->KeyboardEvent(0xE5, 0, 0);  // no X key: told once, nothing sent
    for (std::uint8_t vk : {0x7C, 0x7D}) input->KeyboardEvent(vk, 0, 0);  // F13, F14: borrowed
  }
  EXPECT_EQ(unsendable, std::vector<std::uint8_t>{0xE5});
  auto records = recorder.Take();
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].code, 'a');
  EXPECT_EQ(records[1].code, 1u);
  EXPECT_EQ(std::pair(records[2].code, records[3].code), std::pair(0xFFCAul, 0xFFCBul));
  EXPECT_EQ(recorder.KeysDown().size(), 3u) << "each borrowed key has a keycode of its own";
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

TEST_F(XAdapters, AKeyboardMapChangeReachesTheNextKeyAndAHeldKeyGoesUpWhereItWentDown) {
  // A switch from a QWERTY to a QWERTZ layout: Y and Z trade keycodes.
  ::Display* display = recorder.display();
  const KeyCode y = Keycode(XK_y), z = Keycode(XK_z);
  int perKeycode = 0;
  KeySym* ySyms = XGetKeyboardMapping(display, y, 1, &perKeycode);
  KeySym* zSyms = XGetKeyboardMapping(display, z, 1, &perKeycode);
  const auto swap = [&](KeySym* onY, KeySym* onZ) {
    XChangeKeyboardMapping(display, y, perKeycode, onY, 1);
    XChangeKeyboardMapping(display, z, perKeycode, onZ, 1);
    XSync(display, False);
  };
  input->KeyboardEvent('Z', 0, 0);
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{z});
  swap(zSyms, ySyms);
  input->KeyboardEvent('Z', 0, seam::kKeyUp);
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{});
  input->KeyboardEvent('Z', 0, 0);
  EXPECT_EQ(recorder.KeysDown(), std::vector<unsigned>{y});
  input->KeyboardEvent('Z', 0, seam::kKeyUp);
  EXPECT_EQ(XEventsQueued(connection->display(), QueuedAlready), 0) << "the changes are read";
  swap(ySyms, zSyms);
  XFree(ySyms);
  XFree(zSyms);
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
  std::vector<int> keys;  // with shift 0x100
  for (char c : std::string("aA1!\x01")) keys.push_back(layout.KeyForChar(c));
  EXPECT_EQ(keys, (std::vector<int>{0x41, 0x141, 0x31, 0x131, -1}));
  EXPECT_EQ(
      std::tuple(layout.MapKey(0x41, seam::kMapVkToChar), layout.MapKey(0x25, seam::kMapVkToChar),
                 layout.MapKey(0x41, seam::kMapVkToScan), layout.MapKey(0xE5, seam::kMapVkToScan)),
      std::tuple(unsigned('A'), 0u, 0x1Eu, 0u));
}

}  // namespace
