// What every window of the configuration user interface takes from the running program: the
// module instance whose templates it loads, the popup menu "IDRPOPUP" (the Joysticks page
// borrows its picture menu) and the one configuration object. The program sets it once at
// start-up, before any window exists; tests set their own. Main thread only.
#pragma once

#include <windows.h>

class CTandrelConfiguration;

namespace ui {

struct ProgramContext {
  HINSTANCE instance = nullptr;
  HMENU popupMenu = nullptr;                       // not owned
  CTandrelConfiguration* configuration = nullptr;  // not owned
};

void SetProgramContext(const ProgramContext& context);
const ProgramContext& Program();
HINSTANCE ModuleInstance();
CTandrelConfiguration& Configuration();

}  // namespace ui
