// tandrel-cli: the program's engine without a desktop, for checking and tidying its files.
#include <cstdio>
#include <exception>
#include <new>
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

void PrintUsage(std::FILE* to) {
  std::fputs("usage:\n", to);
  for (const Command& c : kCommands) {
    std::fprintf(to, "  tandrel-cli %s %s\n      %s\n", c.name, c.arguments, c.summary);
  }
  std::fputs("  tandrel-cli --help | --version\nSee tandrel-cli(1).\n", to);
}

int Usage() {
  PrintUsage(stderr);
  return kExitFailed;
}

bool AsksForHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

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
  if (AsksForHelp(name)) {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (name == "--version") {
    std::puts("tandrel-cli " TANDREL_VERSION);
    return kExitOk;
  }
  for (const Command& c : kCommands) {
    if (name != c.name) continue;
    // "COMMAND --help": that command's usage.
    if (argc == 3 && AsksForHelp(argv[2])) {
      std::printf("usage: tandrel-cli %s %s\n      %s\n", c.name, c.arguments, c.summary);
      return kExitOk;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    // The commands refuse what they cannot read with a reason of their own; whatever still
    // escapes them ends the process as a refusal too, never as an abort.
    std::string failure;
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      failure = "not enough memory";
    } catch (const std::exception& e) {
      failure = e.what();
    } catch (...) {
      failure = "unexpected failure";
    }
    std::string line = name;
    for (const std::string& a : args) line += " \"" + a + "\"";
    Complain(line + ": " + failure);
    return kExitFailed;
  }
  Complain("unknown command \"" + name + "\"");
  return Usage();
}
