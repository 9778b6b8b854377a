#include "app/linux/RunSettings.h"

namespace app {

namespace {

constexpr const char* kUsage =
    "usage: tandrel [--background] [--folder FOLDER] [--verbose]\n"
    "       tandrel run [FOLDER] [--verbose]\n"
    "  Game controllers drive the keyboard and the mouse of this X11 desktop as\n"
    "  Tandrel.exe.config in FOLDER says (default: $XDG_CONFIG_HOME/tandrel, made with the\n"
    "  default files at the first start). Without a command, Tandrel runs with an icon in the\n"
    "  notification area and opens its configuration window (--background: the icon alone).\n"
    "  run: in the foreground without windows; Ctrl+C or SIGTERM ends it, SIGHUP reloads the\n"
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
  RunSettings settings;
  // No command, or options alone: the window's program.
  settings.window = args.empty() || args[0].starts_with("-");
  if (!settings.window && args[0] != "run") return refuse("unknown command \"" + args[0] + "\"");
  for (std::size_t i = settings.window ? 0 : 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--verbose") {
      settings.verbose = true;
    } else if (settings.window && a == "--background") {
      settings.background = true;
    } else if (settings.window && a == "--folder") {
      if (i + 1 == args.size()) return refuse("--folder takes a FOLDER");
      settings.folder = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      return refuse("unknown option \"" + a + "\"");
    } else if (settings.window) {
      return refuse("unknown command \"" + a + "\"");
    } else if (settings.folder) {
      return refuse("run takes one FOLDER");
    } else {
      settings.folder = a;
    }
  }
  return settings;
}

}  // namespace app
