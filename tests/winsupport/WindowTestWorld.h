// The surroundings of a window test: simulated controllers, input and clock in virtual time
// (the platform seam), the real windows of the program, a program folder of its own with the
// files the test writes or the default files, the one configuration object, and a scripted
// user for message boxes, file dialogs and menus.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ScriptedUserInterface.h"
#include "config/ConfigurationObserver.h"
#include "config/TandrelConfiguration.h"
#include "support/VirtualWorld.h"
#include "ui/GdiHandles.h"

// The profiles the configuration started, as (controller ID, file name).
class ProfileLog : public IConfigurationObserver {
 public:
  void ProfileStarted(int id, const std::string& path) override { started.emplace_back(id, path); }
  std::vector<std::pair<int, std::string>> started;
};

class WindowTestWorld {
 public:
  WindowTestWorld();
  ~WindowTestWorld();

  // Writes a file into the program folder (texts use "\n"; the files get CR LF).
  void Write(const std::string& name, const std::string& text);
  // Copies the default configuration, actions file and profiles into the program folder.
  void CopyDefaultFiles();
  // The file's bytes; empty when it does not exist.
  std::string Read(const std::string& name) const;
  // Builds the configuration from the program folder and hands it to the windows.
  CTandrelConfiguration& StartConfiguration();
  // Destroys the configuration, as the program does after its message loop.
  void EndConfiguration();

  VirtualWorld world;
  std::string folder;  // with its trailing separator
  ScriptedUserInterface user;
  ProfileLog profiles;

 private:
  ui::MenuHandle menu_;
  std::unique_ptr<CTandrelConfiguration> configuration_;
};
