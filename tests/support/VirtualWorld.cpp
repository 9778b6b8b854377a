#include "VirtualWorld.h"

#include <fstream>
#include <iterator>

VirtualWorld::VirtualWorld(std::uint64_t start)
    : timers_(start), services_(Prepare()), timerService_(&timers_) {}

VirtualWorld::~VirtualWorld() = default;

seam::Services VirtualWorld::Prepare() {
  platform_.UseClock(&timers_);
  return platform_.services();
}

std::string VirtualWorld::UseTempProgramFolder(const std::string& programName) {
  folder_ = std::make_unique<TempFolder>();
  const std::string file = folder_->File(programName);
  program().SetModuleFileName(file);
  folderPath_ = file.substr(0, file.size() - programName.size());
  return folderPath_;
}

std::string VirtualWorld::Write(const std::string& name, const std::string& text) const {
  std::ofstream(folderPath_ + name, std::ios::binary | std::ios::trunc) << text;
  return name;
}

std::string VirtualWorld::Read(const std::string& name) const {
  std::ifstream in(folderPath_ + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
