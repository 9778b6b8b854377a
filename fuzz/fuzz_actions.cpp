// Feeds arbitrary bytes to the action library as an actions file. Beyond memory and
// undefined-behaviour errors it checks the library's promises:
//  - the load succeeds exactly when the bytes are a well-formed document;
//  - what the writer makes of the library loads back without a single message, with as many
//    actions, and writing that again gives the same tree;
//  - clones of the loaded actions, pressed and released at random in virtual time and then
//    deleted, leave no key or mouse button down and no timer running.
// Messages go to the simulated platform's log, so nothing blocks.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FuzzFolder.h"
#include "actions/AbsoluteMousePlacement.h"
#include "actions/ActionLibrary.h"
#include "platform/sim/SimPlatform.h"
#include "timer/VirtualTimerService.h"
#include "xml/XMLReader.h"

namespace {

// A broken promise: says which one, then stops as a crash would.
#define Require(condition) ((condition) ? (void)0 : Fail(#condition, __LINE__))

[[noreturn]] void Fail(const char* what, int line) {
  std::fprintf(stderr, "broken promise at line %d: %s\n", line, what);
  std::abort();
}

struct World {
  World() {
    platform.UseClock(&timers);
    seam::Install(platform.services());
    InstallTimerService(&timers);
    path = (fuzz::Folder("actions") / "Actions.xml").string();
    rewritten = (fuzz::Folder("actions") / "Rewritten.xml").string();
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

// Whether two written trees say the same. A mouse direction of 360 or more is written 360 lower
// each time (450 reads back as 90), so directions count as the same modulo 360.
bool SameTree(const CXMLNode& a, const CXMLNode& b) {
  if (a.Name() != b.Name() || a.Attributes().size() != b.Attributes().size() ||
      a.Children().size() != b.Children().size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.Attributes().size(); ++i) {
    const CAttribute& x = *a.Attributes()[i];
    const CAttribute& y = *b.Attributes()[i];
    if (x.Name() != y.Name()) return false;
    if (a.Name() == "MouseAction" && x.Name() == "direction") {
      if ((std::atoll(x.GetValue()) - std::atoll(y.GetValue())) % 360 != 0) return false;
    } else if (x.Value() != y.Value()) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.Children().size(); ++i) {
    if (!SameTree(*a.Children()[i], *b.Children()[i])) return false;
  }
  return true;
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
  const ActionsFileState state = LoadActions(w.path.c_str());
  Require((state == ActionsFileState::Read || state == ActionsFileState::ReadInPart) == wellFormed);

  if (wellFormed) {
    const std::size_t loaded = LibrarySize();
    const std::string first = CreateActionsXML()->ToText();
    WriteFile(w.rewritten, first.data(), first.size());
    w.platform.messages().ClearLog();
    Require(ReloadActions(w.rewritten.c_str()) == ActionsFileState::Read);
    Require(w.platform.messages().Count() == 0);
    Require(LibrarySize() == loaded);
    const std::unique_ptr<CXMLNode> second = CreateActionsXML();
    const std::string secondText = second->ToText();
    WriteFile(w.rewritten, secondText.data(), secondText.size());
    Require(ReloadActions(w.rewritten.c_str()) == ActionsFileState::Read);
    Require(SameTree(*CreateActionsXML(), *second));
    Play(w, static_cast<std::uint32_t>(size));
  }

  ClearActions();
  w.platform.input().ClearLog();
  w.platform.messages().ClearLog();
  return 0;
}
