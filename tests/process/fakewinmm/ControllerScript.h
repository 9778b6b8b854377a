// The script of the stand-in winmm.dll and xinput1_4.dll: "controllers.txt" beside the
// stand-in's own file, read again at every call, so that a story changes the controllers while
// the program runs. One controller a line (blank lines and lines starting with '#' are
// skipped): its ID in the joystick interface, or "-" where that does not list it, then fields
// key=value (a quoted value may hold blanks). Each stand-in reads the fields it knows.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace script {

struct Line {
  std::string id;
  std::map<std::string, std::string> fields;

  std::string Text(const std::string& key) const {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
  }
  long long Number(const std::string& key, long long otherwise = 0) const {
    const auto found = fields.find(key);
    return found == fields.end() ? otherwise : std::strtoll(found->second.c_str(), nullptr, 10);
  }
};

// The lines of the script beside the module that holds `address`.
inline std::vector<Line> Read(const void* address) {
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCSTR>(address), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string file(path);
  std::ifstream in(file.substr(0, file.find_last_of('\\') + 1) + "controllers.txt");
  std::vector<Line> lines;
  for (std::string text; std::getline(in, text);) {
    std::istringstream words(text);
    Line line;
    if (text.empty() || text[0] == '#' || !(words >> line.id)) continue;
    for (std::string key, value; words >> std::ws && std::getline(words, key, '=');) {
      words >> std::quoted(value);
      line.fields[key] = value;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace script
