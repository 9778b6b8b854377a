#include "replay/ReplayRunner.h"

#include <filesystem>
#include <memory>

#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "timer/TimerService.h"
#include "timer/VirtualTimerService.h"

namespace replay {

namespace {

// Applies one timed statement to the simulated world or the configuration.
void Apply(const Event& event, seam::SimPlatform& platform, const Script& script,
           CTandrelConfiguration& configuration) {
  seam::SimJoysticks& joysticks = platform.joysticks();
  switch (event.kind) {
    case Event::Kind::Button:
      if (event.down) {
        joysticks.PressButton(event.id, event.button);
      } else {
        joysticks.ReleaseButton(event.id, event.button);
      }
      break;
    case Event::Kind::Axis:
      joysticks.SetAxis(event.id, event.axis, event.value);
      break;
    case Event::Kind::Pov:
      joysticks.SetPov(event.id, event.value);
      break;
    case Event::Kind::Window: {
      // The main window reads at most 254 characters of a title.
      const std::string title = event.title.substr(0, 254);
      configuration.SwitchProfileForWindow(title.c_str());
      break;
    }
    case Event::Kind::Unplug:
      joysticks.Unplug(event.id);
      break;
    case Event::Kind::Plug:
      for (const ControllerDeclaration& declared : script.controllers) {
        if (declared.id == event.id) joysticks.Plug(declared.id, declared.Caps());
      }
      break;
    case Event::Kind::Reload:
      configuration.Load();
      break;
  }
}

}  // namespace

std::string CReplayRunner::ConfigFile(const std::string& configPath,
                                      const std::string& scriptFolder) {
  namespace fs = std::filesystem;
  const fs::path path(configPath);
  if (path.is_absolute()) return configPath;
  std::error_code error;
  const fs::path full = fs::absolute(fs::path(scriptFolder) / path, error);
  return (error ? fs::path(scriptFolder) / path : full).lexically_normal().string();
}

RunSummary CReplayRunner::Run(const Script& script, const std::string& scriptFolder,
                              IOutput& output) {
  seam::SimPlatform platform;
  VirtualTimerService timers;
  platform.UseClock(&timers);
  CEventPrinter printer(output, timers, platform.desktop(), platform.messages());

  ConfigurationSettings settings =
      ConfigurationSettings::ForConfigFile(ConfigFile(script.configPath, scriptFolder));
  settings.readOnly = true;
  settings.observer = &printer;
  platform.program().SetModuleFileName(settings.modulePath);

  seam::SimDesktop& desktop = platform.desktop();
  desktop.SetKeyboardDelay(script.keyboardDelay);
  desktop.SetKeyboardSpeed(script.keyboardSpeed);
  desktop.SetScreenSize(script.screenWidth, script.screenHeight);
  desktop.SetCursorPos(script.screenWidth / 2, script.screenHeight / 2);
  for (const ControllerDeclaration& declared : script.controllers) {
    platform.joysticks().Plug(declared.id, declared.Caps());
  }
  for (seam::MessageAnswer answer : script.answers) platform.messages().QueueAnswer(answer);

  seam::Services services = platform.services();
  services.input = &printer;
  services.messages = &printer;
  seam::ScopedServices installed(services);
  ScopedTimerService timerService(&timers);

  auto configuration = std::make_unique<CTandrelConfiguration>(settings);
  for (const Event& event : script.events) {
    timers.MoveTo(event.time);
    Apply(event, platform, script, *configuration);
  }
  timers.AdvanceTo(script.end);
  // Shut down as the program does: every controller lets go of what it holds.
  configuration.reset();
  return {printer.Lines(), timers.Now()};
}

}  // namespace replay
