// The mouse movement panel of the Actions tab: push type (Hold, Hit), direction in degrees
// clockwise from up, speed, update delay, acceleration and the "Absolute" flag. The number
// fields take up to three digits; the direction, the speed and the delay show what is stored
// for their texts once the user leaves them (actionedit/NumberFields.h).
#pragma once

#include "ui/ActionPanelDlg.h"

class CMouseActionConfigDlg : public CActionPanelDlg {
 public:
  CMouseActionConfigDlg(HINSTANCE instance, HWND parent);

  void OnInitDialog() override;
  void ReadValues(actionedit::ActionPanelValues& values) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;
};
