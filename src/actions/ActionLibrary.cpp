#include "actions/ActionLibrary.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "actions/ActionIndex.h"
#include "actions/ComplexAction.h"
#include "actions/LibraryCommit.h"
#include "actions/TextRules.h"
#include "platform/Platform.h"

namespace {

// The library's state. g_library.lock (the library lock) guards every other member.
struct Library {
  std::recursive_mutex lock;
  std::vector<std::unique_ptr<CAction>> actions;  // in order of addition
  std::deque<std::string> themes;                 // a deque keeps every name in place as it grows
  actions::CActionIndex index;                    // theme and name -> action, for FindAction
};

Library g_library;

// The following helpers need the library lock held.

CAction* FindLocked(std::string_view theme, std::string_view name) {
  return g_library.index.Find(theme, name);
}

bool IsThemeKnownLocked(std::string_view theme) {
  for (const std::string& known : g_library.themes) {
    if (actions::EqualsIgnoringCase(known, theme)) return true;
  }
  return false;
}

bool AddLocked(std::unique_ptr<CAction>& action) {
  if (FindLocked(action->GetTheme(), action->GetName()) != nullptr) return false;
  if (!IsThemeKnownLocked(action->GetTheme())) g_library.themes.emplace_back(action->GetTheme());
  g_library.index.Add(action.get());
  g_library.actions.push_back(std::move(action));
  return true;
}

}  // namespace

std::unique_lock<std::recursive_mutex> LockActionLibrary() {
  return std::unique_lock(g_library.lock);
}

CAction* FindAction(const char* theme, const char* name) {
  if (theme == nullptr || name == nullptr) return nullptr;
  std::lock_guard lock(g_library.lock);
  return FindLocked(theme, name);
}

bool ActionExists(const char* theme, const char* name) {
  return FindAction(theme, name) != nullptr;
}

std::unique_ptr<CAction> CloneAction(const char* theme, const char* name) {
  if (theme == nullptr || name == nullptr) return nullptr;
  std::lock_guard lock(g_library.lock);
  const CAction* action = FindLocked(theme, name);
  return action != nullptr ? action->Clone() : nullptr;
}

bool AddAction(std::unique_ptr<CAction>&& action) {
  if (!action) return false;
  std::lock_guard lock(g_library.lock);
  return AddLocked(action);
}

bool DeleteAction(const char* theme, const char* name) {
  if (theme == nullptr || name == nullptr) return false;
  std::unique_ptr<CAction> removed;  // destroyed after the lock is released
  {
    std::lock_guard lock(g_library.lock);
    auto& list = g_library.actions;
    std::size_t found = list.size();
    bool inUse = false;
    for (std::size_t i = 0; i < list.size() && !inUse; ++i) {
      const auto* complex = dynamic_cast<const CComplexAction*>(list[i].get());
      inUse = complex != nullptr && complex->UsesAction(theme, name);
      if (actions::EqualsIgnoringCase(list[i]->GetName(), name) &&
          actions::EqualsIgnoringCase(list[i]->GetTheme(), theme)) {
        found = i;
      }
    }
    if (!inUse) {
      if (found == list.size()) return false;
      removed = std::move(list[found]);
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(found));
      g_library.index.Remove(removed.get());
      return true;
    }
  }
  seam::Messages().Show(
      actions::FillIn(
          "Cannot delete the action \"%s\" because it is in use by one or more actions.", {name}),
      "Error", seam::MessageButtons::Ok, seam::MessageIcon::Information);
  return false;
}

std::vector<CAction*> GetActionsOfTheme(const char* theme) {
  std::vector<CAction*> result;
  if (theme == nullptr) return result;
  std::lock_guard lock(g_library.lock);
  for (const auto& action : g_library.actions) {
    if (actions::EqualsIgnoringCase(action->GetTheme(), theme)) result.push_back(action.get());
  }
  return result;
}

int GetThemeCount() {
  std::lock_guard lock(g_library.lock);
  return static_cast<int>(g_library.themes.size());
}

const char* GetThemeName(int index) {
  std::lock_guard lock(g_library.lock);
  if (index < 0 || static_cast<std::size_t>(index) >= g_library.themes.size()) return nullptr;
  return g_library.themes[static_cast<std::size_t>(index)].c_str();
}

bool IsThemeKnown(const char* theme) {
  if (theme == nullptr) return false;
  std::lock_guard lock(g_library.lock);
  return IsThemeKnownLocked(theme);
}

void ClearActions() {
  std::vector<std::unique_ptr<CAction>> removed;  // destroyed after the lock is released
  {
    std::lock_guard lock(g_library.lock);
    removed.swap(g_library.actions);
    g_library.themes.clear();
    g_library.index.Clear();
  }
}

namespace actions {

// Moves actions read from a file into the library under one hold of the lock. With `replace`,
// the old actions go first. Returns what was dropped as a duplicate, with the old actions, for
// the caller to free after the lock is released.
std::vector<std::unique_ptr<CAction>> CommitToLibrary(std::vector<std::unique_ptr<CAction>> staged,
                                                      bool replace) {
  std::vector<std::unique_ptr<CAction>> leftovers;
  std::lock_guard lock(g_library.lock);
  if (replace) {
    leftovers.swap(g_library.actions);
    g_library.themes.clear();
    g_library.index.Clear();
  }
  for (auto& action : staged) {
    if (!AddLocked(action)) leftovers.push_back(std::move(action));
  }
  return leftovers;
}

std::vector<const CAction*> SnapshotLibraryLocked() {
  std::vector<const CAction*> list;
  list.reserve(g_library.actions.size());
  for (const auto& action : g_library.actions) list.push_back(action.get());
  return list;
}

}  // namespace actions
