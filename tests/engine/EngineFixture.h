// The surroundings of a controller test: a small action library, an action that records what
// an element did with it, short builders for profile text, and a fixture with virtual time,
// simulated controllers, message boxes and a program folder for the profile files.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "engine/Joystick.h"
#include "support/VirtualWorld.h"
#include "xml/XMLNode.h"

// The library every test reads its profiles against. `mouseInterval` is the period of the
// pointer and wheel actions.
inline void FillTestLibrary(int mouseInterval = 30) {
  ClearActions();
  const auto add = [](const char* theme, std::unique_ptr<CAction> action) {
    action->SetTheme(theme);
    AddAction(std::move(action));
  };
  const struct {
    int vk;
    PushType type;
    const char* name;
  } keys[] = {{0x41, PushType::Hold, "A"},          {0x42, PushType::Hold, "B"},
              {0x43, PushType::Toggle, "C toggle"}, {0x44, PushType::Repeat, "D repeat"},
              {0x45, PushType::Hold, "E"},          {0x46, PushType::Hold, "F"},
              {0x47, PushType::Toggle, "G toggle"}, {0x48, PushType::Hold, "H"},
              {0x49, PushType::Toggle, "I toggle"}};
  for (const auto& k : keys) add("Keys", std::make_unique<CVKAction>(k.vk, k.type, k.name));
  // A combination whose second part toggles: releasing the combination leaves that part down
  // until the next press.
  CVKAction ctrl(0x11, PushType::Hold, "Ctrl"), j(0x4A, PushType::Toggle, "J toggle");
  add("Keys", std::make_unique<CComplexAction>(
                  PushType::Hold, std::vector<const CAction*>{&ctrl, &j}, "Chord", "", false));
  const int t = mouseInterval;
  add("Mouse", std::make_unique<CVKAction>(0x01, PushType::Hold, "Left button"));
  add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, t, 70, 20, 90, "Right"));
  add("Mouse", std::make_unique<CMouseAction>(PushType::Hold, false, t, 70, 20, 270, "Left"));
  add("Mouse", std::make_unique<CMouseAction>(PushType::Toggle, false, t, 70, 20, 0, "Up toggle"));
  add("Mouse", std::make_unique<CMouseWheelAction>(PushType::Hold, t, CMouseWheelAction::kDown, 3,
                                                   "Wheel down"));
}

// Profile text: one <Action>, an <Actions> list, a button, a hat direction, an axis.
inline std::string Act(const std::string& name, int shift = 0, const std::string& extra = "") {
  const char* theme = name == "Left button" || name == "Right" || name == "Left" ||
                              name == "Up toggle" || name == "Wheel down"
                          ? "Mouse"
                          : "Keys";
  return "<Action number='" + std::to_string(shift) + "' Theme='" + theme + "' name='" + name +
         "'" + extra + "/>";
}
inline std::string Acts(const std::string& list) { return "<Actions>" + list + "</Actions>"; }
inline std::string Button(int number, const std::string& inner) {
  return "<Button number='" + std::to_string(number) + "'>" + inner + "</Button>";
}
inline std::string Hat(const std::string& direction, const std::string& inner) {
  return "<Direction name='" + direction + "'>" + inner + "</Direction>";
}
inline std::string Axis(const std::string& head, const std::string& first,
                        const std::string& firstInner, const std::string& second,
                        const std::string& secondInner) {
  return "<Axis " + head + "><Direction Name='" + first + "'>" + firstInner +
         "</Direction><Direction Name='" + second + "'>" + secondInner + "</Direction></Axis>";
}

// Every element runs something that keeps running (Hold keys that repeat, toggles, a mouse
// button, pointer movement, the wheel, a combination, an unknown action), and a shift button
// switches them all.
inline std::string BusyProfile(const std::string& key) {
  std::string text = "<ShiftButtons><ShiftButton ButtonNumber='8'/></ShiftButtons><Axes>";
  for (const char* axis : {"X Axis", "Y Axis", "Z Axis", "R Axis"}) {
    text +=
        Axis("name='" + std::string(axis) + "' type='Horizontal' Sensitivity='10'", "Left",
             Acts(Act("Up toggle") + Act("Wheel down", 0, " percent='60'") + Act("C toggle", 1)),
             "Right", Acts(Act("Right") + Act(key, 1)));
  }
  text += "</Axes><Buttons>";
  const char* actions[] = {"A", "B", "C toggle", "Left button", "Chord", "D repeat", "A"};
  for (int n = 1; n <= 7; ++n) {
    text += Button(n, Acts(Act(actions[n - 1]) + Act(key, 1)) + "<ReleaseActions>" + Act("B") +
                          "</ReleaseActions>");
  }
  text += "</Buttons><POV>";
  for (const char* direction : {"forward", "right", "backward", "left"}) {
    text += Hat(direction, Acts(Act("C toggle") + Act("Missing", 1)));
  }
  return "<Joystick Delay='1'>" + text + "</POV></Joystick>";
}

// An action that records its starts and stops (with the speed it was given) instead of
// sending input, so that tests can check exactly what an element did with its actions.
struct ActionEvent {
  std::string name;
  bool start = false;
  double speed = -1;  // -1: no speed object
  bool operator==(const ActionEvent&) const = default;
};
inline ActionEvent Started(std::string name, double speed = -1) {
  return {std::move(name), true, speed};
}
inline ActionEvent Stopped(std::string name) { return {std::move(name), false, -1}; }
using EventLog = std::vector<ActionEvent>;
// "+a@50 -a": starts (with the speed in whole percent, when given) and stops in order.
inline std::string Trace(const EventLog& log) {
  std::string text;
  for (const auto& e : log) {
    text += (text.empty() ? "" : " ") + std::string(e.start ? "+" : "-") + e.name;
    if (e.speed >= 0) text += "@" + std::to_string(std::lround(e.speed));
  }
  return text;
}

class CRecordingAction final : public CAction {
 public:
  CRecordingAction(const char* name, EventLog* log, PushType type = PushType::Hold)
      : CAction(type, "", name), log_(log) {}
  CRecordingAction(const CRecordingAction& other) : CAction(other), log_(other.log_) {}
  ~CRecordingAction() override { EndBeforeDestruction(); }
  void OnTimer() override {}
  std::unique_ptr<CAction> Clone() const override {
    return std::make_unique<CRecordingAction>(*this);
  }
  std::unique_ptr<CXMLNode> CreateXMLNode() const override {
    auto node = std::make_unique<CXMLNode>("RecordingAction");
    WriteAttributes(node.get());
    return node;
  }
  void Start(CMouseSpeedData* speed) override {
    SetActive();
    log_->push_back({GetName(), true, speed != nullptr ? speed->GetSpeed() : -1});
  }
  void Stop(CMouseSpeedData*) override {
    ClearActive();
    log_->push_back({GetName(), false, -1});
  }

 private:
  EventLog* log_;
};

// An owner for elements tested on their own, outside a controller.
class NoShiftOwner : public CShiftButtonOwner {
 public:
  void ShiftButtonPressed(int) override {}
  void ShiftButtonReleased(int) override {}
};

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() : folder(world.UseTempProgramFolder()) { FillTestLibrary(); }
  ~EngineFixture() override { ClearActions(); }

  // Writes a file into the program folder and returns its name (a relative path).
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder + name, std::ios::binary | std::ios::trunc) << text;
    return name;
  }
  // Loads `body` inside <Joystick> from a new file "p<N>.xml".
  bool Load(CJoystick& joystick, const std::string& body, bool interactive = true,
            const std::string& rootAttributes = "") {
    const auto name = Write("p" + std::to_string(++files) + ".xml",
                            "<Joystick" + rootAttributes + ">" + body + "</Joystick>");
    return joystick.LoadProfile(name.c_str(), interactive);
  }
  // A controller plugged in at `id` and opened; by default X, Y, a hat and 4 buttons.
  std::unique_ptr<CJoystick> Plug(int id, const seam::JoystickCaps& caps = Gamepad()) {
    world.joysticks().Plug(id, caps);
    auto joystick = std::make_unique<CJoystick>();
    EXPECT_TRUE(joystick->Open(id));
    return joystick;
  }
  static seam::JoystickCaps Gamepad() {
    return seam::MakeJoystickCaps("", 4, true, 0, 65535, "Test Pad");
  }
  void Poll(int periods = 1) { world.Advance(30 * periods); }  // the default polling period
  // Changes controller 0, then polls once.
  void Press(int button, bool down = true) {
    down ? world.joysticks().PressButton(0, button) : world.joysticks().ReleaseButton(0, button);
    Poll();
  }
  void Move(char axis, std::uint32_t position) {
    world.joysticks().SetAxis(0, axis, position);
    Poll();
  }

  // Key events of one virtual key, as 'd' (down) and 'u' (up).
  std::string KeyTrace(std::uint8_t vk) {
    std::string trace;
    for (const auto& e : world.input().Log()) {
      if (e.IsKey() && e.vk == vk) trace += e.IsKeyDown() ? 'd' : 'u';
    }
    return trace;
  }
  // The traces of several letter keys: Keys("AB") gives "A=du B=".
  std::string Keys(const std::string& letters) {
    std::string text;
    for (char c : letters)
      text += (text.empty() ? "" : " ") + std::string(1, c) + "=" + KeyTrace(c);
    return text;
  }
  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : world.messages().Log()) texts.push_back(m.text);
    return texts;
  }

  VirtualWorld world;
  std::string folder;
  int files = 0;
};
