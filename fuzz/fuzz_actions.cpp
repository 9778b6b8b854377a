// Feeds arbitrary bytes to the action library as an actions file. Beyond memory and
// undefined-behaviour errors it checks the library's promises:
//  - the load succeeds exactly when the bytes are a well-formed document;
//  - what the writer makes of the library loads back without a single message, with as many
//    actions, and writing that again gives the same text;
//  - clones of the loaded actions, pressed and released at random in virtual time and then
//    deleted, leave no key or mouse button down and no timer running.
// Messages go to the simulated platform's log, so nothing blocks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "app/timer/VirtualTimerService.h"
#include "platform/sim/SimPlatform.h"
#include "xml/XMLReader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct World {
  World() {
    platform.UseClock(&timers);
    seam::Install(platform.services());
    InstallTimerService(&timers);
    std::random_device random;
    const std::string tag = std::to_string(random());
    path = (std::filesystem::temp_directory_path() / ("tandrel_fuzz_actions_" + tag + ".xml"))
               .string();
    rewritten = path + ".rewritten.xml";
  }
  ~World() {
    std::filesystem::remove(path);
    std::filesystem::remove(rewritten);
  }

  seam::SimPlatform platform;
  VirtualTimerService timers;
  std::string path;
  std::string rewritten;
};

World& TheWorld() {
  static World world;
  return world;
}

void WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::size_t LibrarySize() {
  std::size_t count = 0;
  for (int i = 0; i < GetThemeCount(); ++i) count += GetActionsOfTheme(GetThemeName(i)).size();
  return count;
}

// Presses and releases clones of the library's actions (at most 20) in virtual time, then
// deletes them.
void Play(World& w, std::uint32_t seed) {
  std::vector<std::unique_ptr<CAction>> clones;
  {
    auto lock = LockActionLibrary();
    for (int i = 0; i < GetThemeCount() && clones.size() < 20; ++i) {
      for (const CAction* a : GetActionsOfTheme(GetThemeName(i))) {
        if (clones.size() == 20) break;
        clones.push_back(a->Clone());
      }
    }
  }
  if (clones.empty()) return;
  std::mt19937 random(seed);
  CMouseSpeedData speed(70.0);
  for (int step = 0; step < 30; ++step) {
    CAction& a = *clones[random() % clones.size()];
    switch (random() % 4) {
      case 0:
        a.Press(step % 2 ? &speed : nullptr);
        break;
      case 1:
        a.Release(nullptr);
        break;
      case 2:
        a.Press(nullptr);
        a.Release(nullptr);
        break;
      default:
        w.timers.Advance(random() % 30);
        break;
    }
  }
  clones.clear();
  Require(w.platform.input().AllReleased());
  Require(w.timers.RunningTimers() == 0);
  Require(CAbsoluteMousePlacement::Instance().ContributorCount() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  World& w = TheWorld();
  ClearActions();
  CAbsoluteMousePlacement::Instance().Reset();
  WriteFile(w.path, data, size);

  const bool wellFormed =
      ReadXMLMemory(reinterpret_cast<const char*>(data), size).status == XMLReadStatus::Ok;
  Require(LoadActions(w.path.c_str()) == wellFormed);

  if (wellFormed) {
    const std::size_t loaded = LibrarySize();
    const std::string first = CreateActionsXML()->ToText();
    WriteFile(w.rewritten, first.data(), first.size());
    w.platform.messages().ClearLog();
    Require(ReloadActions(w.rewritten.c_str()));
    Require(w.platform.messages().Count() == 0);
    Require(LibrarySize() == loaded);
    const std::string second = CreateActionsXML()->ToText();
    WriteFile(w.rewritten, second.data(), second.size());
    Require(ReloadActions(w.rewritten.c_str()));
    Require(CreateActionsXML()->ToText() == second);
    Play(w, static_cast<std::uint32_t>(size));
  }

  ClearActions();
  w.platform.input().ClearLog();
  w.platform.messages().ClearLog();
  return 0;
}
