#include <cstdio>

#include "Commands.h"
#include "xml/XMLReader.h"

int RunFormat(const std::vector<std::string>& args) {
  if (args.size() != 1) return TakesOne("format", "FILE");
  const std::string& path = args[0];
  // The path as given: a relative one is taken from the current directory.
  const XMLReadResult result = ReadXMLFile(path);
  switch (result.status) {
    case XMLReadStatus::CannotOpen:
      Complain("cannot open \"" + path + "\": " + result.reason);
      return kExitFailed;
    case XMLReadStatus::Malformed:
      Complain("cannot parse \"" + path + "\": " + result.reason + ", at " + result.Position());
      return kExitFailed;
    case XMLReadStatus::Ok:
      break;
  }
  const std::string text = result.root->ToText();
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    Complain("cannot write the output");
    return kExitFailed;
  }
  return kExitOk;
}
