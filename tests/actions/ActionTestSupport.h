// Helpers shared by the action tests: actions read from element text, a small script language
// to drive them in virtual time, the recorded input in a short form, and a fixture with a program
// folder of its own that leaves the process-wide action state (library, absolute placement) empty.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"
#include "platform/sim/SimInput.h"
#include "support/VirtualWorld.h"
#include "xml/XMLReader.h"

namespace actiontest {

// Reads an action element of any kind from text; fails the test when the text does not parse.
inline std::unique_ptr<CAction> Read(std::string_view text) {
  XMLReadResult result = ReadXMLMemory(text.data(), text.size());
  EXPECT_EQ(result.status, XMLReadStatus::Ok) << text;
  if (!result.root) return nullptr;
  const std::string_view kind = result.root->Name();
  if (kind == "VKAction") return ReadVKAction(result.root.get());
  if (kind == "MouseAction") return ReadMouseAction(result.root.get());
  if (kind == "MouseWheelAction") return ReadMouseWheelAction(result.root.get());
  return ReadComplexAction(result.root.get());
}

// The recorded input, comma separated: "<time> down|up <vk in hex>[+ext]" for keys and
// "<time> mouse <flags in hex> <dx> <dy> <data>" for the mouse.
inline std::string Describe(const std::vector<seam::InputRecord>& records) {
  std::string out;
  for (const auto& r : records) {
    char text[96];
    if (r.IsKey()) {
      std::snprintf(text, sizeof text, "%u %s %x%s", r.time, r.IsKeyDown() ? "down" : "up", r.vk,
                    (r.flags & seam::kKeyExtended) ? "+ext" : "");
    } else {
      std::snprintf(text, sizeof text, "%u mouse %x %d %d %d", r.time, r.flags, r.dx, r.dy, r.data);
    }
    out += (out.empty() ? "" : ", ") + std::string(text);
  }
  return out;
}

// Plays a script on an action: "P" presses ("P50" with a speed factor of 50), "R" releases,
// "F" force-releases, a number advances virtual time by that many ms, "Dn" and "Sn" set the
// keyboard delay and speed.
inline void Play(VirtualWorld& world, CAction& action, std::string_view script) {
  std::istringstream words{std::string(script)};
  for (std::string word; words >> word;) {
    const auto number = [&] { return std::stoi(word.substr(1)); };
    if (word[0] == 'P' && word.size() == 1) {
      action.Press(nullptr);
    } else if (word[0] == 'P') {
      CMouseSpeedData speed(number());
      action.Press(&speed);
    } else if (word == "R") {
      action.Release(nullptr);
    } else if (word == "F") {
      action.ForceRelease();
    } else if (word[0] == 'D') {
      world.desktop().SetKeyboardDelay(number());
    } else if (word[0] == 'S') {
      world.desktop().SetKeyboardSpeed(number());
    } else {
      world.Advance(std::stoull(word));
    }
  }
}

inline std::unique_ptr<CAction> Key(unsigned char vk, PushType type, const char* name,
                                    const char* theme = "") {
  auto a = std::make_unique<CVKAction>(vk, type, name);
  a->SetTheme(theme);
  return a;
}

// A virtual world with an empty action library and no absolute contributors, before and after.
class ActionTest : public ::testing::Test {
 protected:
  ActionTest() { Reset(); }
  ~ActionTest() override { Reset(); }
  static void Reset() {
    ClearActions();
    CAbsoluteMousePlacement::Instance().Reset();
  }

  // The texts of the messages shown since the last call, one a line; every one must carry
  // `caption`.
  std::string MessageTexts(const char* caption = "XML Error") {
    std::string texts;
    for (const auto& m : world.messages().TakeLog()) {
      EXPECT_EQ(m.caption, caption) << m.text;
      texts += (texts.empty() ? "" : "\n") + m.text;
    }
    return texts;
  }

  VirtualWorld world;
  const std::string folder = world.UseTempProgramFolder();  // for the actions files
};

}  // namespace actiontest
