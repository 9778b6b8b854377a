#include "app/linux/TandrelRun.h"

#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// Said once at start in a Wayland session: the X server there is XWayland's.
constexpr const char* kWaylandNote =
    "this is a Wayland session: keys and the pointer reach X11 programs only (through "
    "XWayland), and window rules see only their windows";

constexpr const char* kNoDisplay =
    "DISPLAY is not set: there is no X display to work on (a systemd user service needs "
    "`systemctl --user import-environment DISPLAY XAUTHORITY` in the session)";

bool IsWaylandSession() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return (wayland != nullptr && wayland[0] != '\0') ||
         (session != nullptr && std::string(session) == "wayland");
}

// The foreground loop of `tandrel run`: poll() on the watcher's X connection, the signalfd and
// the test's stop descriptor.
class PollLoop : public MainLoop {
 public:
  explicit PollLoop(const RunSettings& settings) : settings_(settings) {}

  std::string Run(RunningProgram& program) override {
    pollfd fds[3] = {{program.watcher.FileDescriptor(), POLLIN, 0},
                     {program.stopSignals.FileDescriptor(), POLLIN, 0},
                     {settings_.stopFd, POLLIN, 0}};
    for (;;) {
      // The events that arrived before the wait must not wait for the next one; a closed
      // connection reads as readable, and reading it then finds it lost.
      if (!program.dispatchX()) return kDisplayLost;
      if (poll(fds, 3, -1) < 0) {
        if (errno == EINTR) continue;
        return "cannot wait for events: " + std::string(std::strerror(errno));
      }
      if (fds[2].revents != 0) return {};
      if (fds[1].revents != 0) {
        const SignalAction action = program.stopSignals.Take();
        if (action == SignalAction::Stop) return {};
        if (action == SignalAction::Reload) program.configuration.Load();
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
        log_(settings.out, settings.err, settings.verbose) {}

  int Run() {
    // Made first, while descriptors are still plentiful: without it no signal ends the program.
    StopSignals signals;
    if (signals.FileDescriptor() < 0) return Fail(signals.Failure());
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return Fail(kNoDisplay);
    InstanceLock lock(display);
    if (!lock.Held()) return Fail(lock.Failure());
    if (IsWaylandSession()) log_.Warn(kWaylandNote);
    seam::InstallXErrorHandlers();
    seam::LinuxPlatformSettings platformSettings;
    platformSettings.modulePath = folder_ + "/Tandrel.exe";
    platformSettings.autostartFolder = XdgConfigHome() + "/autostart";
    platformSettings.autostartExec =
        AutostartCommand(settings_.programPath, folder_, settings_.window);
    platformSettings.messages = settings_.err;
    platformSettings.devices = [this](int id, const std::string& name, bool arrived,
                                      seam::ControllerLayout layout) {
      log_.Controller(id, name, arrived, layout);
    };
    platformSettings.unsendableKey = [this](std::uint8_t vk) { log_.UnsendableKey(vk); };
    std::string reason;
    auto platform = seam::LinuxPlatform::Open(platformSettings, reason);
    if (!platform) return Fail(reason);
    seam::Services installed = platform->services();
    if (messages_ != nullptr) installed.messages = messages_;
    seam::ScopedServices services(installed);
    loop_.DisplayOpened();
    RealTimerService timers;
    ScopedTimerService timerService(&timers);

    // Building it opens the controllers present, so SDL has read the devices by then.
    auto configuration = std::make_unique<CTandrelConfiguration>(ConfigurationSettings{
        platformSettings.modulePath, folder_ + "/" + kConfigFileName, false, &log_});
    if (configuration->LoadFailed()) {
      reason = "the configuration \"" + configuration->GetConfigPath() + "\" cannot be used";
    } else {
      log_.WarnWithoutControllers();
      auto watcher = seam::ActiveWindowWatcher::Open(reason, [&](const std::string& title) {
        log_.Window(title);
        configuration->SwitchProfileForWindow(title.c_str());
      });
      if (watcher) reason = Wait(signals, *watcher, platform->connection(), *configuration);
    }
    // Nothing stays pressed: the controllers end their actions, then the adapter lets go of
    // anything still down.
    configuration.reset();
    platform->input().ReleaseAll();
    return reason.empty() ? kExitOk : Fail(reason);
  }

 private:
  // Until a stop: empty after SIGINT, SIGTERM or the loop's own stop, else why it ended.
  std::string Wait(StopSignals& signals, seam::ActiveWindowWatcher& watcher,
                   seam::XConnection& output, CTandrelConfiguration& configuration) {
    watcher.ReportCurrent();
    if (settings_.started) settings_.started();
    // The output connection is not waited on (it wakes with every reply the timer thread waits
    // for): it gets only keyboard-map changes, drained with the watcher's events and before
    // every key.
    RunningProgram program{configuration, watcher, signals,
                           [&] { return watcher.Dispatch() && DrainOutput(output); }};
    return loop_.Run(program);
  }

  static bool DrainOutput(seam::XConnection& output) {
    auto lock = output.Lock();
    return output.DrainEvents();
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
    ProgramLog(settings.out, settings.err, false)
        .Note("tandrel: first run: copied the default files to " + folder.folder);
  }
  PollLoop pollLoop(settings);
  return Program(settings, folder.folder, loop != nullptr ? *loop : pollLoop, messages).Run();
}

}  // namespace app
