// The Actions page of the configuration window: browse, create, change and delete the named
// actions of the action library. An action is picked by theme and name in two editable boxes;
// the type buttons choose the property panel below them, which holds the action's settings.
// "Save" and "Delete" change the library in memory at once; Apply writes the actions file.
// The page never holds an action between user steps: each step looks it up again by the theme
// and name texts.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "actionedit/ActionSave.h"
#include "actionedit/PanelValues.h"
#include "ui/ConfigurationPage.h"
#include "ui/Controls.h"

class CActionPanelDlg;
class CComplexActionConfigDlg;
class CMouseActionConfigDlg;
class CMouseWheelActionConfigDlg;
class CVKActionConfigDlg;

class CActionsConfigurationDlg : public CConfigurationPage {
 public:
  CActionsConfigurationDlg(const ui::WindowServices& services, ui::PageHost host, HWND parent);
  ~CActionsConfigurationDlg() override;

  // Writes the whole library to the actions file.
  void Apply() override;
  bool OnCommand(int id, int code) override;
  void OnInitDialog() override;
  // Stops the key panel's "Press a key".
  void Hidden() override;

  // Refill the lists from the library and show the first theme and its first action, or the
  // given ones (written into the box when the list lacks them).
  void FillThemeList(const std::optional<std::string>& theme = std::nullopt);
  void FillActionList() { FillActionList(std::nullopt); }
  void FillActionList(const std::optional<std::string>& name);
  void ShowSelectedAction();
  // Shows the action `theme`/`name` in the panel of its type, or, when there is none, enables
  // the type buttons and leaves the panels as they are: their values are then the starting
  // values of a new action.
  void ShowAction(const std::string& theme, const std::string& name);
  void ShowPanelForType();
  void EnableTypeButtons(bool enabled);
  void SaveAction();
  void DeleteSelectedAction();
  void MarkChanged();
  // Asks before deleting an action that profiles use (the configuration's and the one open on
  // the Profile tab), naming them; true when there are none or the user agrees.
  bool MayDeleteUsedAction();
  void ShowRefusal(const actionedit::EditResult& refusal);

  // The panels of the current opening; null before it.
  CVKActionConfigDlg* VKPanel() { return vkPanel_.get(); }
  CComplexActionConfigDlg* ComplexPanel() { return complexPanel_.get(); }
  CMouseActionConfigDlg* MousePanel() { return mousePanel_.get(); }
  CMouseWheelActionConfigDlg* WheelPanel() { return wheelPanel_.get(); }

 private:
  struct TypeChoice {
    actionedit::ActionKind kind;
    int buttonId;
    CActionPanelDlg* panel;
  };
  // VK, mouse, wheel, combination: the order in which the type buttons are checked and shown.
  std::array<TypeChoice, 4> Types() const;
  actionedit::ActionPanelValues PanelValues();
  void ShowPanelValues(const actionedit::ActionPanelValues& values);
  // Selects the item of this text (ignoring case) or, without one, puts the text into the box.
  void SelectOrWrite(const ui::ComboBox& box, const std::string& text);
  // The theme and the name box: a choice or typing sets the text and refreshes what follows
  // from it (the action list, or the action shown).
  bool OnEditableBox(const ui::ComboBox& box, std::string& text,
                     void (CActionsConfigurationDlg::*refresh)(), int notification);
  ui::ComboBox ThemeBox();
  ui::ComboBox NameBox();

  std::unique_ptr<CVKActionConfigDlg> vkPanel_;
  std::unique_ptr<CComplexActionConfigDlg> complexPanel_;
  std::unique_ptr<CMouseActionConfigDlg> mousePanel_;
  std::unique_ptr<CMouseWheelActionConfigDlg> wheelPanel_;
  std::string theme_;  // the current theme, as typed or chosen (at most 255 characters)
  std::string name_;   // the current action name, likewise
  // True while the page writes its own boxes: the edit notifications that may raise are not
  // the user's typing.
  bool writingBoxes_ = false;
};
