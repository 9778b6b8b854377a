// What the windows of the configuration user interface use from the running program. The
// program (or a test, with fakes) hands it to the configuration window, which hands it to each
// page in its constructor; no window reaches these through a global. Main thread only.
#pragma once

#include <windows.h>

class CTandrelConfiguration;

namespace seam {
class Win32Messages;
}

namespace ui {

class IUserInterface;

struct WindowServices {
  HINSTANCE instance;                    // the module whose dialog templates the windows load
  CTandrelConfiguration& configuration;  // the one configuration; not owned
  IUserInterface& user;                  // message boxes, file dialogs, menus, help; not owned
  HMENU popupMenu = nullptr;  // the program's "IDRPOPUP" menu (the picture menu); not owned
  // The core's message boxes (seam::Messages()): the configuration window owns them while it
  // is open, so none falls behind it. Null: their owner is left alone (tests). Not owned.
  seam::Win32Messages* coreMessages = nullptr;
};

}  // namespace ui
