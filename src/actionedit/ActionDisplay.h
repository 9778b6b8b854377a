// Showing a library action in the property panels: the part of the Actions tab's ShowAction
// that is not about windows.
#pragma once

#include <string_view>

#include "actionedit/PanelValues.h"

class CAction;

namespace actionedit {

// Checks the type of `action` and fills that panel from it; the other panels keep their values.
// A panel without a button for the action's push type (mouse, wheel and combination have only
// Hold and Hit) keeps the push type it showed. The Combined list becomes the parts in order.
void ShowActionValues(const CAction& action, ActionPanelValues& panels);

// ShowActionValues of the library action with this theme and name (ignoring case), under the
// library lock. False, leaving `panels` as they are, when there is none: the page then enables
// the type buttons, and the panels' values are the starting values of a new action.
bool ShowLibraryAction(std::string_view theme, std::string_view name, ActionPanelValues& panels);

}  // namespace actionedit
