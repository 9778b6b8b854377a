// The subcommands of tandrel-cli. Each takes the arguments after its name, writes its result
// on stdout and its complaints on stderr, and returns the process exit code.
#pragma once

#include <string>
#include <vector>

// Exit codes shared by every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitReported = 1;  // the command ran and found problems to report
constexpr int kExitFailed = 2;    // bad usage, or the input could not be read

struct Command {
  const char* name;
  const char* arguments;  // for the usage line
  const char* summary;
  int (*run)(const std::vector<std::string>& args);
};

// format FILE: prints FILE as the program's writer writes it.
int RunFormat(const std::vector<std::string>& args);

// check CONFIG: loads a configuration as the program would and prints what it would report.
int RunCheck(const std::vector<std::string>& args);

// replay SCRIPT: runs the engine on a script in virtual time and prints its events.
int RunReplay(const std::vector<std::string>& args);

// Writes one line "tandrel-cli: <text>" on stderr.
void Complain(const std::string& text);

// For a subcommand given the wrong number of arguments: says that it takes one `argument`,
// prints its usage line on stderr and returns kExitFailed.
int TakesOne(const char* command, const char* argument);
