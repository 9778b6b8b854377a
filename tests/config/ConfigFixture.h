// The surroundings of a configuration test: virtual time, simulated controllers, input,
// messages and start-up entry, and a program folder holding the configuration file, an actions
// file and a few profiles.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/ActionLibrary.h"
#include "config/TandrelConfiguration.h"
#include "engine/Joystick.h"
#include "support/VirtualWorld.h"

// Keys A and B (held), C (a hit) and a left mouse button.
inline const char* kActionsFile =
    "<Actions>\r\n\t<VKActions>\r\n"
    "\t\t<VKAction theme = \"Keys\" name = \"A\" type = \"Hold\" value = \"0x41\" />\r\n"
    "\t\t<VKAction theme = \"Keys\" name = \"B\" type = \"Hold\" value = \"0x42\" />\r\n"
    "\t\t<VKAction theme = \"Keys\" name = \"C\" type = \"Hit\" value = \"0x43\" />\r\n"
    "\t</VKActions>\r\n</Actions>\r\n";

// A profile whose button 1 presses the key action `name`.
inline std::string ButtonProfile(const std::string& name, const std::string& extra = "") {
  return "<Joystick" + extra +
         "><Buttons><Button number=\"1\"><Actions>"
         "<Action number=\"0\" Theme=\"Keys\" name=\"" +
         name + "\"/></Actions></Button></Buttons></Joystick>";
}

class ConfigFixture : public ::testing::Test {
 protected:
  ConfigFixture() : folder(world.UseTempProgramFolder()), module(folder + "Tandrel.exe") {
    ClearActions();
    world.Write("Actions.xml", kActionsFile);
    world.Write("A.xml", ButtonProfile("A"));
    world.Write("B.xml", ButtonProfile("B"));
    world.Write("C.xml", ButtonProfile("C"));
  }
  ~ConfigFixture() override {
    configuration.reset();
    ClearActions();
  }

  // Writes the configuration file with these "Joystick" entries.
  void WriteConfig(const std::string& entries, const std::string& head = "") {
    world.Write("Tandrel.exe.config", "<Configuration>" + head +
                                          "<Actions fileName=\"Actions.xml\"/><Joysticks>" +
                                          entries + "</Joysticks></Configuration>");
  }

  CTandrelConfiguration& Make() {
    configuration.reset();
    configuration = std::make_unique<CTandrelConfiguration>(module);
    return *configuration;
  }

  // A controller with X, Y and 4 buttons, no hat.
  void Plug(int id, const char* name = "Test Pad") {
    world.joysticks().Plug(id, seam::MakeJoystickCaps("", 4, false, 0, 65535, name));
  }

  // The profile path of a slot's controller, "-" without one, with "*" when it polls.
  std::string Slot(int id) {
    auto lock = configuration->Lock();
    const CJoystick* joystick = configuration->GetJoystick(id);
    if (joystick == nullptr) return "-";
    return joystick->GetProfilePath() + (joystick->IsActive() ? "*" : "");
  }

  // Presses and releases button 1 of a controller and returns the keys it sent ("A" for 0x41).
  // A poll sees the button up first: a button held when its controller was opened counts
  // only after it was released once.
  std::string Tap(int id) {
    world.Advance(30);
    world.input().ClearLog();
    world.joysticks().PressButton(id, 1);
    world.Advance(30);
    world.joysticks().ReleaseButton(id, 1);
    world.Advance(30);
    std::string keys;
    for (const auto& e : world.input().TakeLog()) {
      if (e.IsKeyDown()) keys += static_cast<char>(e.vk);
    }
    return keys;
  }

  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& m : world.messages().TakeLog()) texts.push_back(m.caption + ": " + m.text);
    return texts;
  }

  VirtualWorld world;
  std::string folder;
  std::string module;
  std::unique_ptr<CTandrelConfiguration> configuration;
};
