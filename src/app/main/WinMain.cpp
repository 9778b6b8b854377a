// Tandrel.exe: the real adapters of the platform and the timer service first, then the one
// configuration object (it reads the files, opens the controllers and starts polling before
// anything becomes visible), then the program's windows until "Exit". Only one copy runs per
// user session. The configuration goes last, after the message loop, releasing whatever the
// controllers hold pressed.
#include <windows.h>

#include "app/win32/SingleInstance.h"
#include "app/win32/TandrelApplication.h"
#include "config/TandrelConfiguration.h"
#include "platform/win32/ScopedTimerResolution.h"
#include "platform/win32/Win32Platform.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"
#include "ui/Win32UserInterface.h"

namespace {

// How long a second copy waits for the first to have its main window (a first copy may still
// be reading its files, or waiting for the user to answer a question about them).
constexpr DWORD kFirstCopyWaitMs = 30000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // One copy per user session: a second start, from any folder, brings up the first copy's
  // window instead.
  CSingleInstance instanceClaim;
  if (!instanceClaim.IsFirst()) {
    instanceClaim.TellFirstCopy(kFirstCopyWaitMs);
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
