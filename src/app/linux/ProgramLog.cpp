#include "app/linux/ProgramLog.h"

#include "platform/PadLayout.h"

namespace app {

void ProgramLog::Line(const std::string& text, bool always) {
  if (!verbose_ && !always) return;
  std::lock_guard lock(mutex_);
  std::fprintf(out_, "%s\n", text.c_str());
  std::fflush(out_);
}

void ProgramLog::ProfileStarted(int id, const std::string& path) {
  Line("profile " + std::to_string(id) + " " + path);
}

void ProgramLog::Controller(int id, const std::string& name, bool arrived,
                            seam::ControllerLayout layout) {
  Line("controller " + std::to_string(id) + (arrived ? " plugged in" : " pulled out") + " \"" +
       name + "\"");
  if (arrived && layout == seam::ControllerLayout::Pad) {
    Line("controller " + std::to_string(id) + " inputs: " + seam::PadInputsText());
  }
}

void ProgramLog::Window(const std::string& title) { Line("window \"" + title + "\""); }

void ProgramLog::UnsendableKey(std::uint8_t vk) {
  char code[8];
  std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(vk));
  Line("key " + std::string(code) + " cannot be sent: the X key table has no key for it");
}

void ProgramLog::Note(const std::string& text) { Line(text, true); }

}  // namespace app
