#include "ProgramFolder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace driver {

namespace fs = std::filesystem;

namespace {

// Names are UTF-8, as the program's.
fs::path U8(const std::string& name) { return fs::path(std::u8string(name.begin(), name.end())); }

}  // namespace

ProgramFolder::ProgramFolder(const std::string& folderName)
    : root_(folderName.empty() ? folder_.path() : folder_.path() / U8(folderName)) {
  fs::create_directories(root_);
  fs::copy_file(fs::path(TANDREL_BUILD_DIR) / "Tandrel.exe", root_ / "Tandrel.exe");
}

ProgramFolder& ProgramFolder::AddDefaultFiles() {
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / name, root_ / U8(name));
  }
  return *this;
}

ProgramFolder& ProgramFolder::AddDefaultFileAs(const std::string& defaultName,
                                               const std::string& name) {
  fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / defaultName, root_ / U8(name));
  return *this;
}

ProgramFolder& ProgramFolder::AddHook() {
  fs::copy_file(fs::path(TANDREL_BUILD_DIR) / "Hook.dll", root_ / "Hook.dll");
  return *this;
}

ProgramFolder& ProgramFolder::Put(const std::string& name, const std::string& bytes) {
  std::ofstream(root_ / U8(name), std::ios::binary) << bytes;
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
  bytes << std::ifstream(root_ / U8(name), std::ios::binary).rdbuf();
  return bytes.str();
}

std::string ProgramFolder::Path(const std::string& name) const {
  std::string path = folder_.File("");
  const std::u8string below = root_.lexically_relative(folder_.path()).u8string();
  if (below != u8".") path += std::string(below.begin(), below.end()) + "\\";
  return path + name;
}

std::vector<std::string> ProgramFolder::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(root_)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ProgramFolder::Plug(const FakeController& controller) {
  if (!fakeControllers_) {
    fs::copy_file(TANDREL_FAKE_WINMM, root_ / "winmm.dll");
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
