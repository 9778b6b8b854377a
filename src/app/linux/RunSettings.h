// What `tandrel run` is asked to do, and the command line that asks it.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace app {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;    // the program could not start or could not go on
constexpr int kExitBadUsage = 2;  // the command line is wrong

struct RunSettings {
  std::optional<std::string> folder;  // none: $XDG_CONFIG_HOME/tandrel, seeded at first
  bool verbose = false;
  // `tandrel` without a command: the tray icon and the configuration window (src/qt) instead
  // of the foreground loop; `background` starts it with the icon alone.
  bool window = false;
  bool background = false;
  std::string programPath;     // this executable, for the autostart entry
  std::string defaultsFolder;  // the default files that seed a new folder
  std::FILE* out = stdout;     // what --verbose prints, and the seeding note
  std::FILE* err = stderr;     // messages and the one-line failure
  // Tests: readable means stop, as SIGTERM does (-1: none); told once the program runs.
  int stopFd = -1;
  std::function<void()> started;
};

// What the command line asks: to run with `run`'s settings, or to end at once with `exitCode`
// (after the help or the version on `out`, or a refusal on `err`).
struct CommandLine {
  std::optional<RunSettings> run;
  int exitCode = kExitOk;
};

// Reads `run [FOLDER] [--verbose]`, the window's options `[--background] [--folder FOLDER]
// [--verbose]` without a command, `--help` (`-h`) and `--version`. A refusal is a one-line
// reason and the usage on `err`.
CommandLine ParseCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// Writes "tandrel: TEXT" on `err`.
void Complain(std::FILE* err, const std::string& text);

}  // namespace app
