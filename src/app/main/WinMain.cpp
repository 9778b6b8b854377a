// Tandrel.exe: the real adapters of the platform and the timer service first, then the one
// configuration object (it reads the files, opens the controllers and starts polling before
// anything becomes visible), then the program's windows until "Exit". The configuration goes
// last, after the message loop, releasing whatever the controllers hold pressed.
#include <windows.h>

#include "app/win32/TandrelApplication.h"
#include "config/TandrelConfiguration.h"
#include "platform/win32/ScopedTimerResolution.h"
#include "platform/win32/Win32Platform.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"
#include "ui/ProgramContext.h"
#include "ui/Win32UserInterface.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  seam::Win32Platform platform;
  seam::ScopedServices services(platform.services());
  seam::ScopedTimerResolution resolution;
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  ui::Win32UserInterface userInterface;
  ui::InstallUserInterface(&userInterface);

  CTandrelConfiguration configuration;
  if (configuration.LoadFailed()) return -1;
  ui::SetProgramContext({instance, nullptr, &configuration});
  CTandrelApplication application(instance);
  return application.Run(commandLine);
}
