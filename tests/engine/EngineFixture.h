// The surroundings of a controller test: virtual time, simulated controllers, input and
// message boxes, a program folder for the profile files, and a small action library.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actions/ActionLibrary.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "engine/Joystick.h"
#include "support/VirtualWorld.h"

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() : folder(world.UseTempProgramFolder()) {
    ClearActions();
    Add("Keys", std::make_unique<CVKAction>(0x41, PushType::Hold, "A"));
    Add("Keys", std::make_unique<CVKAction>(0x42, PushType::Hold, "B"));
    Add("Keys", std::make_unique<CVKAction>(0x43, PushType::Toggle, "C toggle"));
    Add("Keys", std::make_unique<CVKAction>(0x44, PushType::Repeat, "D repeat"));
    Add("Keys", std::make_unique<CVKAction>(0x45, PushType::Hold, "E"));
    Add("Keys", std::make_unique<CVKAction>(0x46, PushType::Hold, "F"));
    Add("Mouse", std::make_unique<CVKAction>(0x01, PushType::Hold, "Left button"));
    Add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, 30, 70, 20, 90, "Right"));
    Add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, 30, 70, 20, 270, "Left"));
    Add("Mouse",
        std::make_unique<CMouseAction>(PushType::Toggle, false, 30, 70, 20, 0, "Up toggle"));
    Add("Mouse", std::make_unique<CMouseWheelAction>(PushType::Hold, 30, CMouseWheelAction::kDown,
                                                     3, "Wheel down"));
  }
  ~EngineFixture() override { ClearActions(); }

  static void Add(const char* theme, std::unique_ptr<CAction> action) {
    action->SetTheme(theme);
    ASSERT_TRUE(AddAction(std::move(action)));
  }

  // Writes a file into the program folder and returns its name (a relative path).
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream out(folder + name, std::ios::binary | std::ios::trunc);
    out << text;
    return name;
  }

  // A controller plugged in at `id` and opened.
  std::unique_ptr<CJoystick> Plug(int id, const seam::JoystickCaps& caps) {
    world.joysticks().Plug(id, caps);
    auto joystick = std::make_unique<CJoystick>();
    EXPECT_TRUE(joystick->Open(id));
    return joystick;
  }

  // Advances virtual time by one polling period of 30 ms.
  void Poll(int periods = 1) { world.Advance(30 * periods); }

  // Key events of one virtual key, as 'd' (down) and 'u' (up).
  std::string KeyTrace(std::uint8_t vk) {
    std::string trace;
    for (const auto& e : world.input().Log()) {
      if (e.IsKey() && e.vk == vk) trace += e.IsKeyDown() ? 'd' : 'u';
    }
    return trace;
  }

  // Every key that went down went up as often (repeats counted once per run of downs).
  bool EveryDownHasItsUp() {
    std::map<int, bool> down;
    for (const auto& e : world.input().Log()) {
      if (e.IsKey()) {
        down[e.vk] = e.IsKeyDown();
      } else if (e.IsMouse()) {
        const std::uint32_t f = e.flags;
        if (f & seam::kMouseLeftDown) down[1] = true;
        if (f & seam::kMouseLeftUp) down[1] = false;
        if (f & seam::kMouseRightDown) down[2] = true;
        if (f & seam::kMouseRightUp) down[2] = false;
        if (f & seam::kMouseMiddleDown) down[4] = true;
        if (f & seam::kMouseMiddleUp) down[4] = false;
      }
    }
    for (const auto& [vk, isDown] : down) {
      if (isDown) return false;
    }
    return true;
  }

  std::size_t MouseMoves() {
    std::size_t n = 0;
    for (const auto& e : world.input().Log()) n += e.IsMouse() && (e.flags & seam::kMouseMove);
    return n;
  }

  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : world.messages().Log()) texts.push_back(m.text);
    return texts;
  }

  VirtualWorld world;
  std::string folder;
};

// Capabilities of the usual test gamepad: X, Y, a hat and 4 buttons.
inline seam::JoystickCaps Gamepad(const char* name = "Test Pad") {
  return seam::MakeJoystickCaps("", 4, true, 0, 65535, name);
}
