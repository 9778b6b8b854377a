// The mouse movement panel of the Actions tab: push type (Hold, Hit), direction in degrees
// clockwise from up, speed, update delay, acceleration and the "Absolute" flag. The number
// fields take up to three digits; nothing else is checked.
#pragma once

#include "ui/ActionPanelDlg.h"

class CMouseActionConfigDlg : public CActionPanelDlg {
 public:
  CMouseActionConfigDlg(HINSTANCE instance, HWND parent);

  void OnInitDialog() override;

  // The direction (0..359) and the delay as stored for the boxes' texts
  // (actionedit/NumberFields.h).
  unsigned GetDirection();
  void SetDirection(unsigned degrees);
  unsigned GetSpeed();
  void SetSpeed(unsigned speed);
  unsigned GetUpdateDelay();
  void SetUpdateDelay(unsigned delay);
  unsigned GetAcceleration();
  void SetAcceleration(unsigned acceleration);
  bool IsAbsolute();
  void SetAbsolute(bool absolute);

  void ReadValues(actionedit::ActionPanelValues& values) override;
  bool ShowStored(int id) override;
  void ShowValues(const actionedit::ActionPanelValues& values) override;
};
