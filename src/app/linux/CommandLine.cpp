#include "app/linux/RunSettings.h"

namespace app {

namespace {

constexpr const char* kUsage =
    "usage: tandrel run [FOLDER] [--verbose]\n"
    "  Runs in the foreground: game controllers drive the keyboard and the mouse of this X11\n"
    "  desktop as Tandrel.exe.config in FOLDER says (default: $XDG_CONFIG_HOME/tandrel, made\n"
    "  with the default files at the first run). Ctrl+C or SIGTERM ends it, SIGHUP reloads the\n"
    "  files. --verbose prints profile switches, controllers coming and going, window titles\n"
    "  and keys that cannot be sent.\n";

}  // namespace

void Complain(std::FILE* err, const std::string& text) {
  std::fprintf(err, "tandrel: %s\n", text.c_str());
  std::fflush(err);
}

std::optional<RunSettings> ParseCommandLine(const std::vector<std::string>& args, std::FILE* err) {
  const auto refuse = [err](const std::string& reason) -> std::optional<RunSettings> {
    Complain(err, reason);
    std::fputs(kUsage, err);
    return std::nullopt;
  };
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
  return settings;
}

}  // namespace app
