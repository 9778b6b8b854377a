// Tandrel.exe: the real adapters of the platform and the timer service first, then the one
// configuration object (it reads the files, opens the controllers and starts polling before
// anything becomes visible), then the program's windows until "Exit". Only one copy runs per
// program folder. The configuration goes
// last, after the message loop, releasing whatever the controllers hold pressed.
#include <windows.h>

#include <string>

#include "app/win32/SingleInstance.h"
#include "app/win32/TandrelApplication.h"
#include "config/TandrelConfiguration.h"
#include "platform/win32/ScopedTimerResolution.h"
#include "platform/win32/Win32Platform.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"
#include "ui/Win32UserInterface.h"

namespace {

std::wstring ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

// How long a second copy waits for the first to have its main window (a first copy may still
// be reading its files, or waiting for the user to answer a question about them).
constexpr DWORD kFirstCopyWaitMs = 30000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // One copy per program folder: a second start brings up the first copy's window instead.
  CSingleInstance instanceClaim(ModuleFileName());
  if (!instanceClaim.IsFirst()) {
    instanceClaim.ShowFirstCopysConfiguration(kFirstCopyWaitMs);
    return 0;
  }

  seam::Win32Platform platform;
  seam::ScopedServices services(platform.services());
  seam::ScopedTimerResolution resolution;
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  ui::Win32UserInterface userInterface;

  CTandrelConfiguration configuration;
  if (configuration.LoadFailed()) return -1;
  CTandrelApplication application(instance, configuration, userInterface, &platform.messages());
  if (!application.Start()) return -1;
  instanceClaim.Publish(application.MainWindow());
  return application.RunStarted(commandLine);
}
