#include "CliPlatform.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

// The full path of this executable: the program folder rule of the core is based on it.
std::string OwnPath(const char* argv0) {
#ifdef _WIN32
  (void)argv0;
  char buffer[1024];
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
#else
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.string();
  return std::filesystem::absolute(argv0, error).string();
#endif
}

}  // namespace

seam::MessageAnswer CliMessages::Show(const std::string& text, const std::string& caption,
                                      seam::MessageButtons buttons, seam::MessageIcon) {
  std::printf("%s: %s\n", caption.c_str(), text.c_str());
  return seam::DefaultAnswer(buttons);
}

CliPlatform::CliPlatform(const char* argv0)
    : program_(OwnPath(argv0)), scope_(ServicesOf(messages_, program_)) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

seam::Services CliPlatform::ServicesOf(CliMessages& messages, CliProgram& program) {
  seam::Services s;
  s.messages = &messages;
  s.program = &program;
  s.files = &seam::SystemFiles();
  return s;
}
