// The Actions tab: the library's actions by theme and name (two editable boxes, matched without
// regard to case), the four type buttons and the property panel of the checked type. "Save"
// and "Delete" change the library in memory through src/actionedit (as the Windows tab does);
// Apply writes it to the actions file, Cancel reloads it from there.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "actionedit/PanelValues.h"
#include "platform/Types.h"
#include "qt/ConfigPage.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace qtui {

class ActionPanel;
class CombinationPanel;
class KeyPanel;
class MousePanel;
class ProfilesPage;
class WheelPanel;

class ActionsPage : public ConfigPage {
 public:
  // `profiles`: the window's Profiles tab, whose open profile counts among the users of an
  // action before it is deleted.
  ActionsPage(const WindowContext& context, std::function<void()> changedStateChanged,
              std::function<ProfilesPage*()> profiles);

  void Apply() override;
  void Hidden() override;

  QComboBox* ThemeBox() const { return themes_; }
  QComboBox* NameBox() const { return names_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* DeleteButton() const { return delete_; }
  QRadioButton* TypeButton(actionedit::ActionKind kind) const;
  KeyPanel* Keys() const { return keyPanel_; }
  MousePanel* Mouse() const { return mousePanel_; }
  WheelPanel* Wheel() const { return wheelPanel_; }
  CombinationPanel* Combination() const { return complexPanel_; }

 private:
  struct TypeChoice {
    actionedit::ActionKind kind;
    QRadioButton* button;
    ActionPanel* panel;
  };
  std::array<TypeChoice, 4> Types() const;

  void FillThemeList(const std::optional<std::string>& theme = std::nullopt);
  void FillActionList(const std::optional<std::string>& name = std::nullopt);
  void ShowSelectedAction();
  actionedit::ActionPanelValues PanelValues() const;
  void ShowPanelValues(const actionedit::ActionPanelValues& values);
  void ShowPanelForType();
  void EnableTypeButtons(bool enabled);
  void SaveAction();
  void DeleteSelectedAction();
  bool MayDeleteUsedAction();
  void ShowRefusal(const std::string& message, const std::string& caption, seam::MessageIcon icon);

  const std::function<ProfilesPage*()> profiles_;
  QComboBox* themes_;
  QComboBox* names_;
  QPushButton* save_;
  QPushButton* delete_;
  QStackedWidget* panels_;
  ActionPanel* nonePanel_;
  KeyPanel* keyPanel_;
  MousePanel* mousePanel_;
  WheelPanel* wheelPanel_;
  CombinationPanel* complexPanel_;
  std::array<QRadioButton*, 4> typeButtons_{};
  std::string theme_;
  std::string name_;
};

}  // namespace qtui
