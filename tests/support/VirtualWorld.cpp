#include "VirtualWorld.h"

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
  return file.substr(0, file.size() - programName.size());
}
