#include "actionedit/ActionSave.h"

#include <memory>
#include <unordered_set>

#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/TextRules.h"
#include "actions/VKAction.h"

namespace actionedit {

namespace {

constexpr const char* kErrorCaption = "Error";

EditResult Outcome(EditOutcome outcome) { return {outcome, {}, {}}; }

EditResult Refuse(std::string message) {
  return {EditOutcome::Refused, std::move(message), kErrorCaption};
}

// A name of spaces alone is as blank in the lists as an empty one.
bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool HasBothQuotes(std::string_view text) {
  return text.find('\'') != std::string_view::npos && text.find('"') != std::string_view::npos;
}

bool Names(const CAction& action, std::string_view theme, std::string_view name) {
  return actions::EqualsIgnoringCase(action.GetTheme(), theme) &&
         actions::EqualsIgnoringCase(action.GetName(), name);
}

// The following need the library lock held.

// Whether the library action `from` is, or presses through its parts (resolved in the library
// by theme and name, as the actions file resolves them), the action `theme`/`name`.
bool Reaches(const CAction& from, std::string_view theme, std::string_view name,
             std::unordered_set<const CAction*>& seen) {
  if (Names(from, theme, name)) return true;
  const auto* combination = dynamic_cast<const CComplexAction*>(&from);
  if (combination == nullptr || !seen.insert(combination).second) return false;
  for (const auto& part : combination->GetActions()) {
    const CAction* used = FindAction(part->GetTheme(), part->GetName());
    if (used != nullptr && Reaches(*used, theme, name, seen)) return true;
  }
  return false;
}

bool WouldContainItself(const std::vector<CombinedEntry>& parts, std::string_view theme,
                        std::string_view name) {
  std::unordered_set<const CAction*> seen;
  for (const CombinedEntry& entry : parts) {
    const CAction* used = FindAction(entry.theme.c_str(), entry.name.c_str());
    if (used != nullptr && Reaches(*used, theme, name, seen)) return true;
  }
  return false;
}

// Appends a copy of each entry's library action with the entry's push type. An entry whose
// action has left the library has nothing to copy and is passed over.
void AppendParts(CComplexAction& combination, const std::vector<CombinedEntry>& parts) {
  for (const CombinedEntry& entry : parts) {
    std::unique_ptr<CAction> copy = CloneAction(entry.theme.c_str(), entry.name.c_str());
    if (!copy) continue;
    copy->SetPushType(entry.pushType);
    combination.AdoptAction(std::move(copy));
  }
}

// Sets each setting of `action` that differs from the panel; true when any did.
class CInPlaceUpdate {
 public:
  template <typename T, typename Set>
  void Apply(const T& current, const T& wanted, Set set) {
    if (current == wanted) return;
    set(wanted);
    changed_ = true;
  }
  bool Changed() const { return changed_; }

 private:
  bool changed_ = false;
};

bool UpdateInPlace(CAction& action, const ActionPanelValues& panels) {
  CInPlaceUpdate update;
  const auto pushType = [&](PushType wanted) {
    update.Apply(action.GetPushType(), wanted, [&](PushType t) { action.SetPushType(t); });
  };
  if (auto* key = dynamic_cast<CVKAction*>(&action)) {
    pushType(panels.vk.pushType);
    update.Apply(key->GetKey(), panels.vk.key, [&](unsigned char k) { key->SetKey(k); });
  } else if (auto* mouse = dynamic_cast<CMouseAction*>(&action)) {
    const MousePanelValues& shown = panels.mouse;
    pushType(shown.pushType);
    update.Apply(mouse->IsAbsolute(), shown.absolute, [&](bool a) { mouse->SetAbsolute(a); });
    update.Apply(mouse->GetAcceleration(), shown.acceleration,
                 [&](int a) { mouse->SetAcceleration(a); });
    update.Apply(mouse->GetDelay(), shown.delay, [&](int d) { mouse->SetDelay(d); });
    update.Apply(mouse->GetDirection(), shown.direction, [&](int d) { mouse->SetDirection(d); });
    update.Apply(mouse->GetSpeed(), shown.speed, [&](int s) { mouse->SetSpeed(s); });
  } else if (auto* wheel = dynamic_cast<CMouseWheelAction*>(&action)) {
    const WheelPanelValues& shown = panels.wheel;
    pushType(shown.pushType);
    update.Apply(wheel->GetDirection(), shown.direction, [&](int d) { wheel->SetDirection(d); });
    update.Apply(wheel->GetDelay(), shown.delay, [&](int d) { wheel->SetDelay(d); });
    update.Apply(wheel->GetLines(), shown.lines, [&](int l) { wheel->SetLines(l); });
  } else if (auto* combination = dynamic_cast<CComplexAction*>(&action)) {
    pushType(panels.complex.pushType);
    // The old parts are copies that were never pressed: dropping them under the lock waits for
    // no timer.
    combination->RemoveAllActions();
    AppendParts(*combination, panels.complex.parts);
    return true;
  }
  return update.Changed();
}

std::unique_ptr<CAction> BuildNew(const ActionPanelValues& panels, const char* name) {
  switch (panels.checked) {
    case ActionKind::VirtualKey:
      return std::make_unique<CVKAction>(panels.vk.key, panels.vk.pushType, name);
    case ActionKind::MouseMovement: {
      const MousePanelValues& m = panels.mouse;
      return std::make_unique<CMouseAction>(m.pushType, m.absolute, m.delay, m.speed,
                                            m.acceleration, m.direction, name);
    }
    case ActionKind::MouseWheel: {
      const WheelPanelValues& w = panels.wheel;
      return std::make_unique<CMouseWheelAction>(w.pushType, w.delay, w.direction, w.lines, name);
    }
    case ActionKind::Combination:
      return std::make_unique<CComplexAction>(panels.complex.pushType, name);
    case ActionKind::None:
      break;
  }
  return nullptr;
}

}  // namespace

EditResult SaveAction(std::string_view theme, std::string_view name,
                      const ActionPanelValues& panels) {
  if (HasBothQuotes(name)) return Refuse("The Action Name cannot contain both:', and \"");
  if (HasBothQuotes(theme)) return Refuse("The Theme Name cannot contain both:', and \"");
  const std::string themeText(theme);
  const std::string nameText(name);

  auto lock = LockActionLibrary();
  CAction* existing = FindAction(themeText.c_str(), nameText.c_str());
  // An existing action is edited through the panel of its own type, which is the checked one
  // whenever the page shows it.
  const bool combination = existing != nullptr ? dynamic_cast<CComplexAction*>(existing) != nullptr
                                               : panels.checked == ActionKind::Combination;
  if (combination && WouldContainItself(panels.complex.parts, theme, name)) {
    return Refuse("A Combination cannot contain itself, not even through another Combination.");
  }
  if (existing != nullptr) {
    return Outcome(UpdateInPlace(*existing, panels) ? EditOutcome::Changed : EditOutcome::Nothing);
  }

  // A blank name or theme would be a blank entry in every list (one written by hand still
  // loads and can be edited above).
  if (IsBlank(name)) return Refuse("The Action Name cannot be empty.");
  if (IsBlank(theme)) return Refuse("The Theme Name cannot be empty.");
  std::unique_ptr<CAction> created = BuildNew(panels, nameText.c_str());
  if (!created) {
    return Refuse(
        "Choose the type of the new action first: Virtual Key, Mouse Movement, Mouse Wheel or "
        "Combination.");
  }
  created->SetTheme(themeText.c_str());
  if (auto* parts = dynamic_cast<CComplexAction*>(created.get())) {
    AppendParts(*parts, panels.complex.parts);
  }
  return Outcome(AddAction(std::move(created)) ? EditOutcome::Created : EditOutcome::Nothing);
}

EditResult DeletionRefusal(std::string_view theme, std::string_view name) {
  auto lock = LockActionLibrary();
  const std::string themeText(theme);
  const std::string nameText(name);
  std::string users;
  for (int i = 0; i < GetThemeCount(); ++i) {
    for (const CAction* action : GetActionsOfTheme(GetThemeName(i))) {
      const auto* combination = dynamic_cast<const CComplexAction*>(action);
      if (combination == nullptr || !combination->UsesAction(themeText.c_str(), nameText.c_str())) {
        continue;
      }
      users += (users.empty() ? "" : ", ") + std::string(action->GetName()) + " (" +
               action->GetTheme() + ")";
    }
  }
  if (users.empty()) return Outcome(EditOutcome::Nothing);
  EditResult refused = Refuse(actions::FillIn(
      "Cannot delete the action \"%s\" because it is in use by one or more actions.", {name}));
  refused.message += "\r\nUsed by: " + users;
  refused.icon = seam::MessageIcon::Information;
  return refused;
}

EditResult DeleteSelectedAction(std::string_view theme, std::string_view name) {
  if (EditResult refused = DeletionRefusal(theme, name); refused.outcome == EditOutcome::Refused) {
    return refused;
  }
  const bool deleted = DeleteAction(std::string(theme).c_str(), std::string(name).c_str());
  return Outcome(deleted ? EditOutcome::Deleted : EditOutcome::Nothing);
}

}  // namespace actionedit
