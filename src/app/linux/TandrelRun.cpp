#include "app/linux/TandrelRun.h"

#include <poll.h>

#include <memory>

#include "app/linux/ConfigFolder.h"
#include "app/linux/InstanceLock.h"
#include "app/linux/ProgramLog.h"
#include "app/linux/StopSignals.h"
#include "config/TandrelConfiguration.h"
#include "platform/linux/ActiveWindowWatcher.h"
#include "platform/linux/LinuxPlatform.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"

namespace app {

namespace {

// Quoted as a desktop entry's Exec line wants an argument (then escaped once more as a
// string value).
std::string ExecArgument(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";
    quoted += c;
  }
  return quoted + "\"";
}

// The foreground loop of `tandrel run`: poll() on the watcher's X connection, the signalfd and
// the test's stop descriptor.
class PollLoop : public MainLoop {
 public:
  explicit PollLoop(const RunSettings& settings) : settings_(settings) {}

  Ending Run(CTandrelConfiguration& configuration, seam::ActiveWindowWatcher& watcher,
             StopSignals& signals) override {
    pollfd fds[3] = {{watcher.FileDescriptor(), POLLIN, 0},
                     {signals.FileDescriptor(), POLLIN, 0},
                     {settings_.stopFd, POLLIN, 0}};
    for (;;) {
      // The events that arrived before the wait must not wait for the next one; a closed
      // connection reads as readable, and Dispatch then finds it lost.
      if (!watcher.Dispatch()) return Ending::DisplayLost;
      if (poll(fds, 3, -1) < 0) continue;  // EINTR: a signal without signalfd, say
      if (fds[2].revents != 0) return Ending::Stopped;
      if (fds[1].revents != 0) {
        const SignalAction action = signals.Take();
        if (action == SignalAction::Stop) return Ending::Stopped;
        if (action == SignalAction::Reload) configuration.Load();
      }
    }
  }

 private:
  const RunSettings& settings_;
};

class Program {
 public:
  Program(const RunSettings& settings, std::string folder, MainLoop& loop,
          seam::IMessages* messages)
      : settings_(settings),
        folder_(std::move(folder)),
        loop_(loop),
        messages_(messages),
        log_(settings.out, settings.verbose) {}

  int Run() {
    InstanceLock lock(folder_);
    if (!lock.Held())
      return Fail("another tandrel already runs on this display (" + lock.Path() + ")");
    seam::InstallXErrorHandlers();
    seam::LinuxPlatformSettings platformSettings;
    platformSettings.modulePath = folder_ + "/Tandrel.exe";
    platformSettings.autostartFolder = XdgConfigHome() + "/autostart";
    platformSettings.autostartExec =
        AutostartCommand(settings_.programPath, folder_, settings_.window);
    platformSettings.messages = settings_.err;
    platformSettings.devices = [this](int id, const std::string& name, bool arrived) {
      log_.Controller(id, name, arrived);
    };
    platformSettings.unsendableKey = [this](std::uint8_t vk) { log_.UnsendableKey(vk); };
    std::string reason;
    auto platform = seam::LinuxPlatform::Open(platformSettings, reason);
    if (!platform) return Fail(reason);
    seam::Services installed = platform->services();
    if (messages_ != nullptr) installed.messages = messages_;
    seam::ScopedServices services(installed);
    RealTimerService timers;
    ScopedTimerService timerService(&timers);

    auto configuration = std::make_unique<CTandrelConfiguration>(ConfigurationSettings{
        platformSettings.modulePath, folder_ + "/" + kConfigFileName, false, &log_});
    Ending ending = Ending::Stopped;
    if (configuration->LoadFailed()) {
      reason = "the configuration \"" + configuration->GetConfigPath() + "\" cannot be used";
    } else {
      auto watcher = seam::ActiveWindowWatcher::Open(reason, [&](const std::string& title) {
        log_.Window(title);
        configuration->SwitchProfileForWindow(title.c_str());
      });
      if (watcher) ending = Wait(*watcher, *configuration);
      if (ending == Ending::DisplayLost) reason = "lost the connection to the X server";
    }
    // Nothing stays pressed: the controllers end their actions, then the adapter lets go of
    // anything still down.
    configuration.reset();
    platform->input().ReleaseAll();
    return reason.empty() ? kExitOk : Fail(reason);
  }

 private:
  Ending Wait(seam::ActiveWindowWatcher& watcher, CTandrelConfiguration& configuration) {
    StopSignals signals;
    watcher.ReportCurrent();
    if (settings_.started) settings_.started();
    return loop_.Run(configuration, watcher, signals);
  }

  int Fail(const std::string& reason) {
    Complain(settings_.err, reason);
    return kExitFailed;
  }

  const RunSettings& settings_;
  const std::string folder_;
  MainLoop& loop_;
  seam::IMessages* const messages_;
  ProgramLog log_;
};

}  // namespace

std::string AutostartCommand(const std::string& program, const std::string& folder, bool window) {
  if (window) return ExecArgument(program) + " --background --folder " + ExecArgument(folder);
  return ExecArgument(program) + " run " + ExecArgument(folder);
}

int RunTandrel(const RunSettings& settings, MainLoop* loop, seam::IMessages* messages) {
  const FolderResult folder = ChooseConfigFolder(settings.folder, settings.defaultsFolder);
  if (!folder.failure.empty()) {
    Complain(settings.err, folder.failure);
    return kExitFailed;
  }
  if (folder.seeded) {
    ProgramLog(settings.out, false)
        .Note("tandrel: first run: copied the default files to " + folder.folder);
  }
  PollLoop pollLoop(settings);
  return Program(settings, folder.folder, loop != nullptr ? *loop : pollLoop, messages).Run();
}

}  // namespace app
