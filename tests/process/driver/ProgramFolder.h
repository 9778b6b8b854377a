// A program folder of its own for one story: Tandrel.exe, and beside it what the story chooses
// (the default files, files of its own, scripted controllers).
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace driver {

// A controller reported by the stand-in winmm.dll, by the stand-in xinput1_4.dll, or by both as
// Windows reports an XInput pad (at rest, unless told otherwise).
struct FakeController {
  int id = 0;  // in the joystick interface; -1: not listed there
  std::string name = "Fake Pad";
  std::string axes = "XYZRU";
  int buttons = 10;
  bool pov = true;
  unsigned down = 0;  // bit k-1 while button k is down
  int hat = -1;       // hundredths of a degree; -1: centred
  // XInput's user 0..3 for a pad XInput serves (-1: none), its buttons (XINPUT_GAMEPAD bits)
  // and its triggers (0..255).
  int xinput = -1;
  unsigned pad = 0;
  int leftTrigger = 0, rightTrigger = 0;
};

class ProgramFolder {
 public:
  // With Tandrel.exe alone, in a folder of this name (UTF-8) inside the temporary one, or in
  // the temporary folder itself.
  explicit ProgramFolder(const std::string& folderName = "");

  // The default configuration, actions file and profiles of data/.
  ProgramFolder& AddDefaultFiles();
  // A default file of data/ under another name.
  ProgramFolder& AddDefaultFileAs(const std::string& defaultName, const std::string& name);
  // Writes a file with exactly these bytes.
  ProgramFolder& Put(const std::string& name, const std::string& bytes);
  // Holds a file open without sharing, as another program may: until the result goes, the file
  // can be neither read nor replaced.
  using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;
  HeldFile KeepOpen(const std::string& name) const;
  // The file's bytes; empty when it does not exist.
  std::string Read(const std::string& name) const;
  // The full path of a file in the folder, as the program spells it.
  std::string Path(const std::string& name) const;
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const;

  // Plugs a controller in through the stand-ins, which go beside the program with the first
  // controller (xinput1_4.dll with the first XInput pad), or changes the one of that ID and
  // user (its buttons, its hat, its triggers). The stand-ins read their script at every call,
  // so this works while the program runs.
  void Plug(const FakeController& controller);
  void Unplug(const FakeController& controller);
  bool UsesFakeControllers() const { return !controllers_.empty(); }

 private:
  void WriteScript();

  TempFolder folder_;
  std::filesystem::path root_;               // the program folder
  std::vector<FakeController> controllers_;  // the stand-in's script
};

}  // namespace driver
