// Gives every control of a dialog the help identifier its template carries. Windows' dialog
// manager does this itself; some implementations of the system (Wine) leave the identifiers
// at 0, which would make F1 ask every control for the same topic. Controls that already
// carry an identifier are left alone.
#pragma once

#include <windows.h>

namespace ui {

void ApplyTemplateHelpIds(HWND dialog, HINSTANCE instance, int templateId);

}  // namespace ui
