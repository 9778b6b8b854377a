#include "app/linux/RunSettings.h"

namespace app {

namespace {

constexpr const char* kUsage =
    "usage: tandrel run [FOLDER] [--verbose]\n"
    "       tandrel --help | --version\n";

constexpr const char* kHelp =
    "  Runs in the foreground: game controllers drive the keyboard and the mouse of this X11\n"
    "  desktop as Tandrel.exe.config in FOLDER says (default: $XDG_CONFIG_HOME/tandrel, made\n"
    "  with the default files at the first run). Ctrl+C or SIGTERM ends it, SIGHUP reloads the\n"
    "  files. --verbose prints profile switches, controllers coming and going, window titles\n"
    "  and keys that cannot be sent. One tandrel runs per X server. See tandrel(1).\n";

bool AsksForHelp(const std::string& a) { return a == "--help" || a == "-h"; }

}  // namespace

void Complain(std::FILE* err, const std::string& text) {
  std::fprintf(err, "tandrel: %s\n", text.c_str());
  std::fflush(err);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  const auto answer = [out](const std::string& text) {
    std::fputs(text.c_str(), out);
    std::fflush(out);
    return CommandLine{};
  };
  const auto refuse = [err](const std::string& reason) {
    Complain(err, reason);
    std::fputs(kUsage, err);
    return CommandLine{std::nullopt, kExitBadUsage};
  };
  // Asked anywhere, help and the version answer before anything else is checked.
  for (const std::string& a : args) {
    if (AsksForHelp(a)) return answer(std::string(kUsage) + kHelp);
    if (a == "--version") return answer("tandrel " TANDREL_VERSION "\n");
  }
  if (args.empty()) return refuse("no command given");
  if (args[0] != "run") return refuse("unknown command \"" + args[0] + "\"");
  RunSettings settings;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--verbose") {
      settings.verbose = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return refuse("unknown option \"" + a + "\"");
    } else if (settings.folder) {
      return refuse("run takes one FOLDER");
    } else {
      settings.folder = a;
    }
  }
  return CommandLine{std::move(settings), kExitOk};
}

}  // namespace app
