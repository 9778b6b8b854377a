// The mouse wheel panel of the Actions tab: push type (Hold, Hit), direction ("Up" or "Down"),
// lines to scroll (one digit) and update delay (three digits); the two numbers show what is
// stored for their texts once the user leaves them (actionedit/NumberFields.h).
#pragma once

#include "ui/ActionPanelDlg.h"

class CMouseWheelActionConfigDlg : public CActionPanelDlg {
 public:
  CMouseWheelActionConfigDlg(HINSTANCE instance, HWND parent);

  void OnInitDialog() override;
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;

 private:
  // CMouseWheelAction::kUp unless "Down" alone is checked.
  int GetDirection();
  // kUp checks "Up", kDown checks "Down"; other values leave both.
  void SetDirection(int direction);
};
