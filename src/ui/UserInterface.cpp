#include "ui/UserInterface.h"

#include <cassert>

namespace ui {

namespace {
IUserInterface* g_ui = nullptr;  // main thread only
}

void InstallUserInterface(IUserInterface* ui) { g_ui = ui; }

IUserInterface& UserInterface() {
  assert(g_ui != nullptr && "no user interface installed");
  return *g_ui;
}

}  // namespace ui
