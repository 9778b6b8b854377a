#include "ProgramFolder.h"

#include <algorithm>
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
    AddDefaultFileAs(name, name);
  }
  return *this;
}

ProgramFolder& ProgramFolder::AddDefaultFileAs(const std::string& defaultName,
                                               const std::string& name) {
  fs::copy_file(fs::path(TANDREL_SOURCE_DIR) / "data" / defaultName, root_ / U8(name));
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

// The script the stand-in winmm.dll reads (its format is described there).
void ProgramFolder::Plug(const FakeController& c) {
  if (controllers_.empty()) fs::copy_file(TANDREL_FAKE_WINMM, root_ / "winmm.dll");
  controllers_[c.id] = std::to_string(c.id) + " name=\"" + c.name + "\" axes=" + c.axes +
                       " buttons=" + std::to_string(c.buttons) + " pov=" + (c.pov ? "1" : "0") +
                       " down=" + std::to_string(c.down) + "\n";
  std::string script;
  for (const auto& [id, line] : controllers_) script += line;
  // Replaced in one step: a controller that read as absent for a moment would come back with
  // its default profile. The stand-in holds the file open while it reads: that is retried.
  Put("winmm-controllers.new", script);
  const std::string from = Path("winmm-controllers.new"), to = Path("winmm-controllers.txt");
  for (int attempt = 0; !MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
       ++attempt) {
    if (attempt == 1000) throw std::runtime_error("cannot replace " + to);
    Sleep(1);
  }
}

}  // namespace driver
