#include "WindowTestWorld.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "resource.h"
#include "ui/ProgramContext.h"

WindowTestWorld::WindowTestWorld() : folder(world.UseTempProgramFolder("Tandrel.exe")) {
  menu_.reset(LoadMenuA(GetModuleHandleA(nullptr), IDR_POPUP_NAME));
  ui::SetProgramContext({GetModuleHandleA(nullptr), menu_.get(), nullptr});
}

WindowTestWorld::~WindowTestWorld() { EndConfiguration(); }

void WindowTestWorld::EndConfiguration() {
  ui::SetProgramContext({GetModuleHandleA(nullptr), menu_.get(), nullptr});
  configuration_.reset();
}

void WindowTestWorld::Write(const std::string& name, const std::string& text) {
  std::string bytes;
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  std::ofstream(folder + name, std::ios::binary) << bytes;
}

void WindowTestWorld::CopyDefaultFiles() {
  for (const char* name : {"Tandrel.exe.config", "Actions.xml", "Gamepad.xml", "SlideShow.xml"}) {
    std::filesystem::copy_file(std::string(TANDREL_SOURCE_DIR) + "/data/" + name, folder + name,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

std::string WindowTestWorld::Read(const std::string& name) const {
  std::ifstream file(folder + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

CTandrelConfiguration& WindowTestWorld::StartConfiguration() {
  ConfigurationSettings settings;
  settings.observer = &profiles;
  configuration_ = std::make_unique<CTandrelConfiguration>(settings);
  ui::SetProgramContext({GetModuleHandleA(nullptr), menu_.get(), configuration_.get()});
  return *configuration_;
}
