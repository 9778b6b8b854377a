#include "actionedit/LibraryLists.h"

#include "actions/ActionLibrary.h"

namespace actionedit {

std::string EntryText(const CombinedEntry& entry) { return entry.name + " (" + entry.theme + ")"; }

std::vector<std::string> ThemeNames() {
  auto lock = LockActionLibrary();
  std::vector<std::string> names;
  for (int i = 0; i < GetThemeCount(); ++i) names.emplace_back(GetThemeName(i));
  return names;
}

std::vector<std::string> ActionNamesOfTheme(std::string_view theme) {
  auto lock = LockActionLibrary();
  std::vector<std::string> names;
  for (const CAction* action : GetActionsOfTheme(std::string(theme).c_str())) {
    names.emplace_back(action->GetName());
  }
  return names;
}

std::vector<CombinedEntry> AvailableEntries() {
  auto lock = LockActionLibrary();
  std::vector<CombinedEntry> entries;
  for (const std::string& theme : ThemeNames()) {
    for (const CAction* action : GetActionsOfTheme(theme.c_str())) {
      entries.push_back({action->GetTheme(), action->GetName(), PushType::None});
    }
  }
  return entries;
}

}  // namespace actionedit
