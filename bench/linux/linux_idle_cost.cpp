// What tandrel run costs while nobody touches a controller: the real program (SDL2, XTest, the
// EWMH watcher, the real timer service) on the display named by DISPLAY with N virtual SDL
// controllers, for S seconds after it has started, reported as the process' CPU time per
// minute of wall time. Usage: linux_idle_cost FOLDER_WITH_DEFAULT_FILES [CONTROLLERS] [SECONDS]
#include <SDL2/SDL.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/linux/StopSignals.h"
#include "app/linux/TandrelRun.h"

namespace {

double ProcessCpuSeconds() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
         usage.ru_stime.tv_usec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  app::BlockStopSignals();
  if (argc < 2) {
    std::fprintf(stderr, "usage: linux_idle_cost FOLDER [CONTROLLERS] [SECONDS]\n");
    return 2;
  }
  const int controllers = argc > 2 ? std::atoi(argv[2]) : 0;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;

  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  std::vector<SDL_Joystick*> pads;
  for (int i = 0; i < controllers; ++i) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.naxes = 5;
    desc.nbuttons = 10;
    desc.nhats = 1;
    desc.name = "Wireless Gamepad";
    pads.push_back(SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc)));
    for (int axis = 0; axis < 5; ++axis) SDL_JoystickSetVirtualAxis(pads.back(), axis, 0);
  }

  const int stop = eventfd(0, EFD_CLOEXEC);
  app::RunSettings settings;
  settings.folder = argv[1];
  settings.stopFd = stop;
  double cpuAtStart = 0;
  auto wallAtStart = std::chrono::steady_clock::now();
  std::thread timer;
  settings.started = [&] {
    cpuAtStart = ProcessCpuSeconds();
    wallAtStart = std::chrono::steady_clock::now();
    timer = std::thread([&] {
      std::this_thread::sleep_for(std::chrono::seconds(seconds));
      const std::uint64_t one = 1;
      if (write(stop, &one, sizeof one) != sizeof one) std::abort();
    });
  };
  const int code = app::RunTandrel(settings);
  const double cpu = ProcessCpuSeconds() - cpuAtStart;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallAtStart).count();
  if (timer.joinable()) timer.join();
  for (SDL_Joystick* pad : pads) SDL_JoystickClose(pad);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  if (code != 0) return code;
  std::printf("%d controllers: %.1f ms CPU per minute (%.0f s measured)\n", controllers,
              cpu * 1000.0 * 60.0 / wall, wall);
  return 0;
}
