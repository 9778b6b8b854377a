#include "platform/linux/LinuxPlatform.h"

namespace seam {

std::unique_ptr<LinuxPlatform> LinuxPlatform::Open(const LinuxPlatformSettings& settings,
                                                   std::string& reason) {
  auto connection = XConnection::Open(reason);
  if (!connection) return nullptr;
  auto joysticks = SdlJoysticks::Open(reason, settings.devices);
  if (!joysticks) return nullptr;
  return std::unique_ptr<LinuxPlatform>(
      new LinuxPlatform(settings, std::move(connection), std::move(joysticks)));
}

LinuxPlatform::LinuxPlatform(const LinuxPlatformSettings& settings,
                             std::unique_ptr<XConnection> connection,
                             std::unique_ptr<SdlJoysticks> joysticks)
    : connection_(std::move(connection)),
      joysticks_(std::move(joysticks)),
      input_(*connection_),
      keyboardLayout_(*connection_),
      desktop_(*connection_),
      messages_(settings.messages),
      startupEntry_(settings.autostartFolder, settings.autostartExec),
      program_(settings.modulePath) {
  input_.OnUnsendableKey(settings.unsendableKey);
}

Services LinuxPlatform::services() {
  Services s;
  s.joysticks = joysticks_.get();
  s.input = &input_;
  s.keyboardLayout = &keyboardLayout_;
  s.desktop = &desktop_;
  s.clock = &clock_;
  s.messages = &messages_;
  s.startupEntry = &startupEntry_;
  s.program = &program_;
  s.files = &SystemFiles();
  return s;
}

}  // namespace seam
