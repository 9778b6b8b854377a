// The surroundings of a controller test: a small action library, an action that records what
// an element did with it, short builders for profile text, and a fixture with virtual time,
// simulated controllers, message boxes and a program folder for the profile files.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
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

// The library every test reads its profiles against, all in the theme "Keys". `mouseInterval`
// is the period of the pointer and wheel actions.
inline void FillTestLibrary(int mouseInterval = 30) {
  ClearActions();
  const auto add = [](std::unique_ptr<CAction> action) {
    action->SetTheme("Keys");
    AddAction(std::move(action));
  };
  const struct {
    int vk;
    PushType type;
    const char* name;
  } keys[] = {{0x41, PushType::Hold, "A"},          {0x42, PushType::Hold, "B"},
              {0x43, PushType::Toggle, "C toggle"}, {0x44, PushType::Repeat, "D repeat"},
              {0x45, PushType::Hold, "E"},          {0x46, PushType::Hold, "F"},
              {0x01, PushType::Hold, "Left button"}};
  for (const auto& k : keys) add(std::make_unique<CVKAction>(k.vk, k.type, k.name));
  // A combination whose second part toggles: releasing the combination leaves that part down
  // until the next press.
  CVKAction ctrl(0x11, PushType::Hold, "Ctrl"), j(0x4A, PushType::Toggle, "J toggle");
  add(std::make_unique<CComplexAction>(PushType::Hold, std::vector<const CAction*>{&ctrl, &j},
                                       "Chord", "", false));
  const int t = mouseInterval;
  add(std::make_unique<CMouseAction>(PushType::Hold, false, t, 70, 20, 90, "Right"));
  add(std::make_unique<CMouseAction>(PushType::Toggle, false, t, 70, 20, 0, "Up toggle"));
  add(std::make_unique<CMouseWheelAction>(PushType::Hold, t, CMouseWheelAction::kDown, 3,
                                          "Wheel down"));
}

// Profile text: one <Action>, an <Actions> list, a button, a hat direction, an axis.
inline std::string Act(const std::string& name, int shift = 0, const std::string& extra = "") {
  return "<Action number='" + std::to_string(shift) + "' Theme='Keys' name='" + name + "'" + extra +
         "/>";
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

// A profile body with action A on button 1.
inline const std::string kButton1A = "<Buttons>" + Button(1, Acts(Act("A"))) + "</Buttons>";

// Every element runs something that keeps running (keys, toggles, a mouse button, pointer
// movement, the wheel, a combination), with `key` in slot 1 under shift button 8, a release
// action on every button and an unknown action on the hat.
inline std::string BusyProfile(const std::string& key = "F") {
  const std::string shifted = Act(key, 1);
  std::string text = "<ShiftButtons><ShiftButton ButtonNumber='8'/></ShiftButtons><Axes>";
  for (const char* axis : {"X", "Y", "Z", "R"}) {
    text += Axis("name='" + std::string(axis) + " Axis' type='Horizontal' Sensitivity='10'", "Left",
                 Acts(Act("C toggle") + Act("Wheel down", 0, " percent='60'") + shifted), "Right",
                 Acts(Act("Right") + shifted));
  }
  text += "</Axes><Buttons>";
  const char* actions[] = {"A", "C toggle", "Left button", "D repeat", "Chord", "B", "A"};
  for (int n = 1; n <= 7; ++n) {
    text += Button(n, Acts(Act(actions[n - 1]) + shifted) + "<ReleaseActions>" + Act("B") +
                          "</ReleaseActions>");
  }
  text += "</Buttons><POV>" + Hat("forward", Acts(Act("B"))) +
          Hat("right", Acts(Act("Up toggle"))) + Hat("backward", Acts(Act("Missing", 1))) +
          Hat("left", Acts(Act("Chord")));
  return "<Joystick Delay='1'>" + text + "</POV></Joystick>";
}

// An action of the theme "Keys" that records its starts (with the speed it was given, in whole
// percent) and stops instead of sending input, as "+a@50 -a", into a log that must outlive its
// copies.
class CRecordingAction final : public CAction {
 public:
  CRecordingAction(const char* name, std::string* log)
      : CAction(PushType::Hold, "Keys", name), log_(log) {}
  CRecordingAction(const CRecordingAction& other) : CAction(other), log_(other.log_) {}
  ~CRecordingAction() override { EndBeforeDestruction(); }
  void OnTimer() override {}
  std::unique_ptr<CAction> Clone() const override {
    return std::make_unique<CRecordingAction>(*this);
  }
  const char* ElementName() const override { return "RecordingAction"; }
  void Start(CMouseSpeedData* speed) override {
    SetActive();
    Record("+");
    if (speed != nullptr) *log_ += "@" + std::to_string(std::lround(speed->GetSpeed()));
  }
  void Stop(CMouseSpeedData*) override {
    ClearActive();
    Record("-");
  }

 private:
  void Record(const char* sign) {
    *log_ += (log_->empty() ? "" : " ") + (sign + std::string(GetName()));
  }
  std::string* log_;
};

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() : folder(world.UseTempProgramFolder()) { FillTestLibrary(); }
  ~EngineFixture() override { ClearActions(); }

  // Loads `body` inside <Joystick> from a new file "p<N>.xml".
  bool Load(CJoystick& joystick, const std::string& body, bool interactive = true,
            const std::string& rootAttributes = "") {
    const auto name = world.Write("p" + std::to_string(++files) + ".xml",
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
  // The key events of letter keys, 'd' (down) and 'u' (up): Keys("AB") gives "A=du B=".
  std::string Keys(const std::string& letters) {
    std::string text;
    for (char c : letters) {
      text += (text.empty() ? "" : " ") + std::string(1, c) + "=";
      for (const auto& e : world.input().Log()) {
        if (e.IsKey() && e.vk == c) text += e.IsKeyDown() ? 'd' : 'u';
      }
    }
    return text;
  }

  VirtualWorld world;
  std::string folder;
  int files = 0;
};
