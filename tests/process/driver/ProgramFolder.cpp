#include "ProgramFolder.h"

#include <algorithm>
#include <chrono>
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

ProgramFolder::HeldFile ProgramFolder::KeepOpen(const std::string& name) const {
  HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + Path(name));
  return HeldFile(file, &CloseHandle);
}

std::string ProgramFolder::Read(const std::string& name) const {
  std::ostringstream bytes;
  bytes << std::ifstream(folder_.path() / name, std::ios::binary).rdbuf();
  return bytes.str();
}

std::string ProgramFolder::Path(const std::string& name) const { return folder_.File(name); }

std::vector<std::string> ProgramFolder::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder_.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

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
  // The program may be reading the script just then, which keeps it from being replaced.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!MoveFileExA(next.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    if (std::chrono::steady_clock::now() > end) throw std::runtime_error("cannot write " + file);
    Sleep(1);
  }
}

}  // namespace driver
