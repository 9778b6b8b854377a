// The real adapters of the Linux program and the set of services that points at them: SDL2
// controllers, XTest input, the X server's desktop settings and keyboard map, the steady clock,
// messages as lines on stderr, the XDG autostart entry and the POSIX files.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/linux/ConsoleMessages.h"
#include "platform/linux/SdlJoysticks.h"
#include "platform/linux/SteadyClock.h"
#include "platform/linux/XConnection.h"
#include "platform/linux/XDesktop.h"
#include "platform/linux/XKeyboardLayout.h"
#include "platform/linux/XTestInput.h"
#include "platform/linux/XdgStartupEntry.h"

namespace seam {

class FixedProgram : public IProgram {
 public:
  explicit FixedProgram(std::string path) : path_(std::move(path)) {}
  std::string ModuleFileName() override { return path_; }

 private:
  const std::string path_;
};

struct LinuxPlatformSettings {
  std::string modulePath;        // the program's path as the configuration sees it
  std::string autostartFolder;   // where the start-up entry lives
  std::string autostartExec;     // what it starts
  std::FILE* messages = stderr;  // where message boxes go
  SdlJoysticks::DeviceReport devices;
  std::function<void(std::uint8_t vk)> unsendableKey;
};

class LinuxPlatform {
 public:
  // Connects to the X server and starts SDL's joysticks; null with `reason` set when either
  // fails.
  static std::unique_ptr<LinuxPlatform> Open(const LinuxPlatformSettings& settings,
                                             std::string& reason);
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  Services services();
  XTestInput& input() { return input_; }
  XConnection& connection() { return *connection_; }

 private:
  LinuxPlatform(const LinuxPlatformSettings& settings, std::unique_ptr<XConnection> connection,
                std::unique_ptr<SdlJoysticks> joysticks);

  // The connection outlives every adapter that uses it.
  std::unique_ptr<XConnection> connection_;
  std::unique_ptr<SdlJoysticks> joysticks_;
  XTestInput input_;
  XKeyboardLayout keyboardLayout_;
  XDesktop desktop_;
  SteadyClock clock_;
  ConsoleMessages messages_;
  XdgStartupEntry startupEntry_;
  FixedProgram program_;
};

}  // namespace seam
