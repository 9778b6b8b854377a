// replay SCRIPT: runs the engine on a replay script (src/replay) and prints its events.
#include <cstdio>
#include <filesystem>

#include "Commands.h"
#include "InputFile.h"
#include "replay/ReplayOutput.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScriptParser.h"

namespace {

class StdoutOutput : public replay::IOutput {
 public:
  void Line(std::string_view line) override {
    ok_ = std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && ok_;
    ok_ = std::fputc('\n', stdout) != EOF && ok_;
  }
  bool Ok() const { return ok_; }

 private:
  bool ok_ = true;
};

}  // namespace

int RunReplay(const std::vector<std::string>& args) {
  if (args.size() != 1) return TakesOne("replay", "SCRIPT");
  const std::string& path = args[0];
  std::string text, reason;
  if (!ReadInputFile(path, text, reason)) {
    Complain("cannot open \"" + path + "\": " + reason);
    return kExitFailed;
  }
  const replay::ParseResult parsed = replay::CReplayScriptParser::Parse(text);
  if (!parsed.script) {
    Complain(path + ": line " + std::to_string(parsed.error.line) + ": " + parsed.error.reason);
    return kExitFailed;
  }
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::string folder = parent.empty() ? std::string(".") : parent.string();
  // Lines are many: let stdout gather them in large pieces.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  StdoutOutput output;
  replay::CReplayRunner::Run(*parsed.script, folder, output);
  if (!output.Ok() || std::fflush(stdout) != 0) {
    Complain("cannot write the output");
    return kExitFailed;
  }
  return kExitOk;
}
