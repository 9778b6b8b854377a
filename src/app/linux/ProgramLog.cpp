#include "app/linux/ProgramLog.h"

namespace app {

namespace {

constexpr const char* kNoController =
    "no game controller present (if one is plugged in, check that this user may read it: "
    "ls -lL /dev/input/by-id/*-event-joystick)";

}  // namespace

void ProgramLog::Line(std::FILE* to, const std::string& text, bool always) {
  if (!verbose_ && !always) return;
  std::lock_guard lock(mutex_);
  std::fprintf(to, "%s\n", text.c_str());
  std::fflush(to);
}

void ProgramLog::ProfileStarted(int id, const std::string& path) {
  Line(out_, "profile " + std::to_string(id) + " " + path);
}

void ProgramLog::Controller(int id, const std::string& name, bool arrived) {
  Line(out_, "controller " + std::to_string(id) + (arrived ? " plugged in" : " pulled out") +
                 " \"" + name + "\"");
  bool lastGone = false;
  {
    std::lock_guard lock(mutex_);
    present_ += arrived ? 1 : -1;
    lastGone = !arrived && present_ == 0;
  }
  if (lastGone) Warn(kNoController);
}

void ProgramLog::WarnWithoutControllers() {
  bool none = false;
  {
    std::lock_guard lock(mutex_);
    none = present_ == 0;
  }
  if (none) Warn(kNoController);
}

void ProgramLog::Window(const std::string& title) { Line(out_, "window \"" + title + "\""); }

void ProgramLog::UnsendableKey(std::uint8_t vk) {
  char code[8];
  std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(vk));
  Line(out_, "key " + std::string(code) + " cannot be sent: the X key table has no key for it");
}

void ProgramLog::Note(const std::string& text) { Line(out_, text, true); }

void ProgramLog::Warn(const std::string& text) { Line(err_, "tandrel: " + text, true); }

}  // namespace app
