// tandrel-cli: the program's engine without a desktop, for checking and tidying its files.
#include <cstdio>
#include <string>
#include <vector>

#include "CliPlatform.h"
#include "Commands.h"

namespace {

const Command kCommands[] = {
    {"format", "FILE", "print FILE as the program writes it (CR LF, tab indentation)", RunFormat},
    {"check", "CONFIG",
     "load a configuration, its actions and profiles as the program would and print every\n"
     "      message it would show; changes no file; exit 1 when anything was reported",
     RunCheck},
    {"replay", "SCRIPT",
     "run the engine in virtual time as SCRIPT says and print every keyboard and mouse\n"
     "      event with its time; changes no file",
     RunReplay},
};

int Usage() {
  std::fputs("usage:\n", stderr);
  for (const Command& c : kCommands) {
    std::fprintf(stderr, "  tandrel-cli %s %s\n      %s\n", c.name, c.arguments, c.summary);
  }
  return kExitFailed;
}

}  // namespace

void Complain(const std::string& text) { std::fprintf(stderr, "tandrel-cli: %s\n", text.c_str()); }

int TakesOne(const char* command, const char* argument) {
  Complain(std::string(command) + " takes one " + argument);
  std::fprintf(stderr, "usage: tandrel-cli %s %s\n", command, argument);
  return kExitFailed;
}

int main(int argc, char** argv) {
  CliPlatform platform(argc > 0 ? argv[0] : "tandrel-cli");
  if (argc < 2) return Usage();
  const std::string name = argv[1];
  for (const Command& c : kCommands) {
    if (name == c.name) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  Complain("unknown command \"" + name + "\"");
  return Usage();
}
