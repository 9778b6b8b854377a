// A folder of the test's own, made the current directory, and a way to run the built
// tandrel-cli in it and collect its exit code, stdout and stderr.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/TempFolder.h"

struct ToolResult {
  int exitCode = -1;
  std::string out, err;
};

class ToolTest : public ::testing::Test {
 protected:
  // The build passes host paths; under Wine the host's root is drive Z:.
  static std::string HostPath(std::string path) {
#ifdef _WIN32
    for (char& c : path) c = c == '/' ? '\\' : c;
    if (path[0] == '\\') path = "Z:" + path;
#endif
    return path;
  }
  static std::string SourceFile(const std::string& name) {
    return HostPath(std::string(TANDREL_SOURCE_DIR) + "/" + name);
  }

  ToolTest() { std::filesystem::current_path(dir); }
  ~ToolTest() override { std::filesystem::current_path(previous); }

  void Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((dir / name).parent_path());
    std::ofstream(dir / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // `sink`: where stdout goes instead of a file of the folder (then it is not read back).
  ToolResult Tool(const std::vector<std::string>& args, const std::string& sink = "") {
    // Appended piece by piece: GCC 12 warns falsely about "..." + std::string temporaries.
    std::string command;
    const auto add = [&command](const char* before, const std::string& quoted) {
      command.append(before).append(1, '"').append(quoted).append(1, '"');
    };
    add("", HostPath(TANDREL_CLI));
    for (const std::string& a : args) add(" ", a);
    add(" > ", sink.empty() ? (dir / "stdout.txt").string() : sink);
    add(" 2> ", (dir / "stderr.txt").string());
#ifdef _WIN32
    const std::string inner = command;
    command.clear();
    add("", inner);  // cmd /c strips one outer pair of quotes
#endif
    int status = std::system(command.c_str());
#ifdef _WIN32
    // 9009 is cmd's "not recognized": under Wine on a loaded machine cmd now and then fails to
    // start a program that is there. tandrel-cli itself exits with 0, 1 or 2 only.
    for (int retry = 0; status == 9009 && retry < 3; ++retry) status = std::system(command.c_str());
#endif
#ifndef _WIN32
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#else
    const int exitCode = status;
#endif
    return {exitCode, sink.empty() ? Read("stdout.txt") : "", Read("stderr.txt")};
  }

  // The lines of an output, without their ends.
  static std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  const std::filesystem::path previous = std::filesystem::current_path();
  TempFolder folder;
  const std::filesystem::path dir = folder.path();
};
