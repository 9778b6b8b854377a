// Copies of what the Actions tab lists from the action library, taken under the library lock,
// so the page never holds pointers into the library between user steps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "actionedit/PanelValues.h"

namespace actionedit {

// The theme names in order of first appearance (the theme box sorts them itself).
std::vector<std::string> ThemeNames();
// The names of the actions of `theme` (ignoring case), in library order.
std::vector<std::string> ActionNamesOfTheme(std::string_view theme);
// Every action of every theme, theme by theme, as entries of the combination panel's Available
// list (push type none).
std::vector<CombinedEntry> AvailableEntries();

}  // namespace actionedit
