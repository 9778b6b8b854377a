#include "ui/ActionAssignmentGroup.h"

#include "actionedit/LibraryLists.h"
#include "profileedit/ActionAssignment.h"
#include "profileedit/AxisSettings.h"
#include "resource.h"

ActionAssignmentGroup::ActionAssignmentGroup(const CTandrelDlg& page)
    : elements_(page.Item<ui::ComboBox>(IDC_PROF_ELEMENT)),
      shiftStates_(page.Item<ui::ComboBox>(IDC_PROF_SHIFT_STATE)),
      percents_(page.Item<ui::ComboBox>(IDC_PROF_PERCENT)),
      themes_(page.Item<ui::ComboBox>(IDC_PROF_THEME)),
      actions_(page.Item<ui::ComboBox>(IDC_PROF_ACTION)),
      thresholdLabel_(page.Item<ui::Window>(IDC_PROF_THRESHOLD_LABEL)),
      percentSign_(page.Item<ui::Window>(IDC_PROF_PERCENT_SIGN)) {}

// A library may hold a thousand actions: the lists are drawn once, when filled.
void ActionAssignmentGroup::FillThemeList() const { ui::Fill(themes_, actionedit::ThemeNames()); }

void ActionAssignmentGroup::FollowLibrary(const CXMLNode& root) const {
  const std::string theme = themes_.SelectedText();
  FillThemeList();
  themes_.Select(themes_.FindExact(theme));
  FillActionList();
  ShowAssignment(root);
}

void ActionAssignmentGroup::Fill() const {
  actions_.Reset();
  FillThemeList();
  elements_.Reset();
  const std::vector<std::string> entries = profileedit::ElementEntryTexts();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    elements_.Add(entries[i], static_cast<LPARAM>(i));
  }
  elements_.Select(0);
  percents_.Reset();
  for (const std::string& text : profileedit::PercentTexts()) percents_.Add(text);
  percents_.Select(percents_.FindExact("0"));
  for (const ui::Window& control : PercentControls()) control.Show(false);
}

void ActionAssignmentGroup::Label(const CXMLNode& root, seam::ControllerLayout names) const {
  const std::vector<std::string> texts = profileedit::ElementEntryTexts(&root, names);
  for (int i = 0; i < elements_.Count(); ++i) {
    const auto position = static_cast<std::size_t>(elements_.ItemData(i));
    if (position < texts.size() && elements_.ItemText(i) != texts[position]) {
      elements_.SetItemText(i, texts[position]);
    }
  }
}

void ActionAssignmentGroup::ElementChosen(const CXMLNode& root) const {
  percents_.Select(percents_.FindExact("0"));
  const std::optional<profileedit::ElementTarget> target = ChosenTarget(root);
  const bool axis = target && target->kind == profileedit::TargetKind::AxisDirection;
  for (const ui::Window& control : PercentControls()) control.Show(axis);
  ShowAssignment(root);
}

void ActionAssignmentGroup::ShowAssignment(const CXMLNode& root) const {
  const std::optional<profileedit::ElementTarget> target = ChosenTarget(root);
  if (target) {
    for (const auto& stored :
         profileedit::AssignedActions(root, *target, shiftStates_.Selection(), Percent())) {
      themes_.Select(stored.theme ? themes_.FindExact(*stored.theme) : -1);
      FillActionList();
      const int action = stored.name ? actions_.FindExact(*stored.name) : -1;
      if (action >= 0) {
        actions_.Select(action);
        return;
      }
    }
  }
  actions_.Select(0);
}

void ActionAssignmentGroup::FillActionList() const {
  std::vector<std::string> names = actionedit::ActionNamesOfTheme(themes_.SelectedText());
  names.insert(names.begin(), profileedit::kNoActionText);
  ui::Fill(actions_, names);
}

bool ActionAssignmentGroup::AssignAction(CXMLNode& root) const {
  const std::optional<profileedit::ElementTarget> target = ChosenTarget(root);
  const int shiftState = shiftStates_.Selection();
  const int choice = actions_.Selection();
  // With the chosen shift state gone from its list there is no combination to store.
  if (!target || shiftState < 0 || choice < 0) return false;
  if (choice == 0) return profileedit::RemoveAction(root, *target, shiftState, Percent());
  return profileedit::AssignAction(root, *target, shiftState, themes_.SelectedText(),
                                   actions_.ItemText(choice), Percent());
}

std::array<ui::Window, 3> ActionAssignmentGroup::PercentControls() const {
  return {thresholdLabel_, percents_, percentSign_};
}

std::optional<profileedit::ElementTarget> ActionAssignmentGroup::ChosenTarget(
    const CXMLNode& root) const {
  const int selection = elements_.Selection();
  if (selection < 0) return std::nullopt;
  const auto position = static_cast<std::size_t>(elements_.ItemData(selection));
  const std::optional<profileedit::ElementTarget> horizontal =
      profileedit::ElementTargetAt(position, false);
  if (!horizontal || horizontal->kind != profileedit::TargetKind::AxisDirection) return horizontal;
  return profileedit::ElementTargetAt(position,
                                      profileedit::IsVerticalAxis(root, horizontal->axis));
}

int ActionAssignmentGroup::Percent() const {
  return profileedit::PercentValue(percents_.SelectedText());
}
