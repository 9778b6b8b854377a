// The mouse wheel panel of the Actions tab: push type (Hold, Hit), direction ("Up" or "Down"),
// lines to scroll (one digit) and update delay (three digits).
#pragma once

#include "ui/ActionPanelDlg.h"

class CMouseWheelActionConfigDlg : public CActionPanelDlg {
 public:
  CMouseWheelActionConfigDlg(HINSTANCE instance, HWND parent);

  void OnInitDialog() override;

  // CMouseWheelAction::kUp unless "Down" alone is checked.
  int GetDirection();
  // kUp checks "Up", kDown checks "Down"; other values leave both.
  void SetDirection(int direction);
  // The lines and the delay as stored for the boxes' texts (actionedit/NumberFields.h).
  unsigned GetLines();
  void SetLines(unsigned lines);
  unsigned GetUpdateDelay();
  void SetUpdateDelay(unsigned delay);

  void ReadValues(actionedit::ActionPanelValues& values) override;
  bool ShowStored(int id) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;
};
