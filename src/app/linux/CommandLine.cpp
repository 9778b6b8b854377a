#include "app/linux/RunSettings.h"

namespace app {

namespace {

constexpr const char* kUsage =
    "usage: tandrel [--background] [--folder FOLDER] [--verbose]\n"
    "       tandrel run [FOLDER] [--verbose]\n"
    "       tandrel --help | --version\n";

constexpr const char* kHelp =
    "  Game controllers drive the keyboard and the mouse of this X11 desktop as\n"
    "  Tandrel.exe.config in FOLDER says (default: $XDG_CONFIG_HOME/tandrel, made with the\n"
    "  default files at the first start). Without a command, Tandrel runs with an icon in the\n"
    "  notification area and opens its configuration window (--background: the icon alone).\n"
    "  run: in the foreground without windows; Ctrl+C or SIGTERM ends it, SIGHUP reloads the\n"
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
  return CommandLine{std::move(settings), kExitOk};
}

}  // namespace app
