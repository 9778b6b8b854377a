// What the engine costs while nobody touches a controller: the default configuration running on
// the real timer service with N simulated controllers (0 to 16, each polled at its profile's
// delay, the hot-plug check once a second) for S seconds, reported as the process' CPU time
// per minute of wall time. On Windows the main thread meanwhile does what Tandrel.exe's does at
// rest: it follows the window in front (its timer and hooks) in a message loop.
// Usage: idle_cost FOLDER_WITH_DEFAULT_FILES [CONTROLLERS] [SECONDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "app/win32/ActiveWindowFollower.h"
#else
#include <sys/resource.h>
#endif

#include "config/TandrelConfiguration.h"
#include "platform/sim/SimPlatform.h"
#include "timer/RealTimerService.h"
#include "timer/TimerService.h"

namespace {

double ProcessCpuSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
#else
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
         usage.ru_stime.tv_usec / 1e6;
#endif
}

// The main thread at rest for `seconds`.
void Rest(CTandrelConfiguration& configuration, int seconds) {
#ifdef _WIN32
  HWND window =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  CActiveWindowFollower follower(window, [&](const std::string& title) {
    configuration.SwitchProfileForWindow(title.c_str());
  });
  constexpr UINT_PTR kEnd = 1;
  SetTimer(window, kEnd, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0 &&
         !(message.message == WM_TIMER && message.wParam == kEnd)) {
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
#else
  (void)configuration;
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: idle_cost FOLDER [CONTROLLERS] [SECONDS]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  const int controllers = argc > 2 ? std::atoi(argv[2]) : 0;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;

  seam::SimPlatform platform;
  platform.program().SetModuleFileName(folder + "Tandrel.exe");
  for (int id = 0; id < controllers && id < seam::kMaxJoysticks; ++id) {
    platform.joysticks().Plug(id, seam::MakeJoystickCaps("ZRU", 10, true));
  }
  seam::ScopedServices services(platform.services());
  RealTimerService timers;
  ScopedTimerService timerService(&timers);
  CTandrelConfiguration configuration;
  if (configuration.LoadFailed()) return 1;

  const double before = ProcessCpuSeconds();
  Rest(configuration, seconds);
  const double used = ProcessCpuSeconds() - before;
  std::printf("%d controllers, %d s: %.3f s CPU, %.3f s CPU per minute, %.3f %% of one core\n",
              controllers, seconds, used, used * 60 / seconds, used * 100 / seconds);
  return 0;
}
