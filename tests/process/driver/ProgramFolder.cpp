#include "ProgramFolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace driver {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder() {
  fs::copy_file(fs::path(TANDREL_BUILD_DIR) / "Tandrel.exe", folder_.path() / "Tandrel.exe");
}

ProgramFolder& ProgramFolder::AddDefaultFiles() {
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, folder_.path() / name);
  }
  return *this;
}

ProgramFolder& ProgramFolder::AddHook() {
  fs::copy_file(fs::path(TANDREL_BUILD_DIR) / "Hook.dll", folder_.path() / "Hook.dll");
  return *this;
}

ProgramFolder& ProgramFolder::Put(const std::string& name, const std::string& bytes) {
  std::ofstream(folder_.path() / name, std::ios::binary) << bytes;
  return *this;
}

std::string ProgramFolder::Read(const std::string& name) const {
  std::ostringstream bytes;
  bytes << std::ifstream(folder_.path() / name, std::ios::binary).rdbuf();
  return bytes.str();
}

std::string ProgramFolder::Path(const std::string& name) const { return folder_.File(name); }

void ProgramFolder::Plug(const FakeController& controller) {
  if (!fakeControllers_) {
    fs::copy_file(TANDREL_FAKE_WINMM, folder_.path() / "winmm.dll");
    fakeControllers_ = true;
  }
  controllers_[controller.id] = controller;
  WriteControllers();
}

void ProgramFolder::Unplug(int id) {
  controllers_.erase(id);
  WriteControllers();
}

// The script the stand-in winmm.dll reads (its format is described there), replaced in one
// step so that the program never reads half of it.
void ProgramFolder::WriteControllers() const {
  std::ostringstream script;
  for (const auto& [id, c] : controllers_) {
    script << id << " name=\"" << c.name << "\" axes=" << c.axes << " buttons=" << c.buttons
           << " pov=" << (c.pov ? 1 : 0) << " pressed=" << c.pressed << " angle=" << c.angle;
    for (const auto& [axis, position] : c.positions) script << ' ' << axis << '=' << position;
    script << '\n';
  }
  const std::string file = Path("winmm-controllers.txt");
  const std::string next = file + ".next";
  std::ofstream(next, std::ios::binary) << script.str();
  if (!MoveFileExA(next.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    throw std::runtime_error("cannot write " + file);
  }
}

}  // namespace driver
