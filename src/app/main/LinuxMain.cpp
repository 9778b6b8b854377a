// tandrel: the Linux program: `tandrel` with its tray icon and configuration window (src/qt), or
// `tandrel run [FOLDER] [--verbose]` in the foreground; `--help`, `--version`. The stop signals
// are blocked before anything starts a thread, so every thread leaves them to the main loop's
// signalfd.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/linux/RunSettings.h"
#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"
#include "qt/TrayProgram.h"

namespace {

// The default files beside the program (a build folder), else in ../share/tandrel (installed).
std::string DefaultsFolder(const std::filesystem::path& program) {
  const auto beside = program.parent_path();
  std::error_code error;
  if (std::filesystem::exists(beside / "Tandrel.exe.config", error)) return beside.string();
  return (beside.parent_path() / "share" / "tandrel").string();
}

}  // namespace

int main(int argc, char** argv) {
  app::BlockStopSignals();
  auto command =
      app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
  auto& settings = command.run;
  if (!settings) return command.exitCode;
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  settings->programPath = error ? std::string(argv[0]) : program.string();
  settings->defaultsFolder = DefaultsFolder(settings->programPath);
  if (settings->window) return qtui::RunWithWindow(*settings, argc, argv);
  return app::RunTandrel(*settings);
}
