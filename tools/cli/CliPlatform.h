// The platform the core sees inside tandrel-cli: messages are printed instead of shown, and
// questions are answered No, so a command never waits for a user.
#pragma once

#include <string>

#include "platform/Platform.h"

class CliMessages : public seam::IMessages {
 public:
  // Prints "<caption>: <text>" on stdout and answers as a box closed without a choice.
  seam::MessageAnswer Show(const std::string& text, const std::string& caption,
                           seam::MessageButtons buttons, seam::MessageIcon icon) override;
};

class CliProgram : public seam::IProgram {
 public:
  explicit CliProgram(std::string path) : path_(std::move(path)) {}
  std::string ModuleFileName() override { return path_; }

 private:
  std::string path_;
};

// Installs the messages and the program's path for the life of the object, and puts stdout in
// binary mode so that CR LF reaches it unchanged.
class CliPlatform {
 public:
  explicit CliPlatform(const char* argv0);
  CliPlatform(const CliPlatform&) = delete;
  CliPlatform& operator=(const CliPlatform&) = delete;

 private:
  static seam::Services ServicesOf(CliMessages& messages, CliProgram& program);

  CliMessages messages_;
  CliProgram program_;
  seam::ScopedServices scope_;
};
