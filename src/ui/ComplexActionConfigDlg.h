// The combination panel of the Actions tab: the combination's push type (Hold, Hit), the list
// of every library action ("Available Actions", sorted) and the combination's parts in press
// order ("Combined Actions"), each part with its own push type. Items read "Fire (Game)".
// The buttons that act on a selected item are enabled only while one is selected.
#pragma once

#include <vector>

#include "ui/ActionPanelDlg.h"

class CComplexActionConfigDlg : public CActionPanelDlg {
 public:
  CComplexActionConfigDlg(HINSTANCE instance, HWND parent);

  bool OnCommand(int id, int code) override;
  void OnInitDialog() override;

  // Empties the Available list; disables "Add".
  void ClearAvailable();
  // Empties the Combined list; disables "Remove", "Up", "Down" and the part's push type.
  void ClearCombined();
  // Fills the Available list with these entries (push type none) at once.
  void FillAvailable(std::vector<actionedit::CombinedEntry> entries);
  // Appends a part; selection and buttons stay as they are.
  void AddCombined(const actionedit::CombinedEntry& entry);
  const std::vector<actionedit::CombinedEntry>& GetCombinedEntries() const { return combined_; }

  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;

 private:
  ui::ListBox AvailableList();
  ui::ListBox CombinedList();
  void AddSelectedAvailable();
  void ShowSelectedPart();
  void RemoveSelectedPart();
  // Moves the selected part one place towards the start (-1) or the end (+1).
  void MoveSelectedPart(int step);
  void SetSelectedPartPushType();
  void DisablePartButtons();

  // The Available list's entries; each item's data is its index here.
  std::vector<actionedit::CombinedEntry> available_;
  // The Combined list's entries, item i being entry i.
  std::vector<actionedit::CombinedEntry> combined_;
};
