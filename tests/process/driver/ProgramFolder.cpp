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

// The script the stand-ins read (its format is described in ControllerScript.h), replaced
// whole, so that the program never reads half of it.
void ProgramFolder::Plug(const FakeController& c) {
  if (!fs::exists(root_ / "winmm.dll")) fs::copy_file(TANDREL_FAKE_WINMM, root_ / "winmm.dll");
  if (c.xinput >= 0 && !fs::exists(root_ / "xinput1_4.dll")) {
    fs::copy_file(TANDREL_FAKE_XINPUT, root_ / "xinput1_4.dll");
  }
  Unplug(c);
  controllers_.push_back(c);
  WriteScript();
}

void ProgramFolder::Unplug(const FakeController& c) {
  std::erase_if(controllers_, [&c](const FakeController& old) {
    return old.id == c.id && old.xinput == c.xinput;
  });
  WriteScript();
}

void ProgramFolder::WriteScript() {
  std::string script;
  for (const FakeController& each : controllers_) {
    script += (each.id >= 0 ? std::to_string(each.id) : "-") + " name=\"" + each.name +
              "\" axes=" + each.axes + " buttons=" + std::to_string(each.buttons) +
              " pov=" + (each.pov ? "1" : "0") + " down=" + std::to_string(each.down) +
              (each.hat >= 0 ? " hat=" + std::to_string(each.hat) : "");
    if (each.xinput >= 0) {
      script += " xinput=" + std::to_string(each.xinput) + " pad=" + std::to_string(each.pad) +
                " lt=" + std::to_string(each.leftTrigger) +
                " rt=" + std::to_string(each.rightTrigger);
    }
    script += "\n";
  }
  Put("controllers.next", script);
  const std::wstring from = (root_ / "controllers.next").wstring();
  const std::wstring to = (root_ / "controllers.txt").wstring();
  // The program may hold the script open for a moment.
  for (int attempt = 0; MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) == 0;
       ++attempt) {
    if (attempt == 500) throw std::runtime_error("cannot replace the controllers' script");
    Sleep(2);
  }
}

}  // namespace driver
