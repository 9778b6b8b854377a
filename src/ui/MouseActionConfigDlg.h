// The mouse movement panel of the Actions tab: push type (Hold, Hit), direction in degrees
// clockwise from up, speed, update delay, acceleration and the "Absolute" flag. The number
// fields take up to three digits; nothing else is checked.
#pragma once

#include "ui/ActionPanelDlg.h"

class CMouseActionConfigDlg : public CActionPanelDlg {
 public:
  explicit CMouseActionConfigDlg(HWND parent);

  INT_PTR OnInitDialog() override;

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
  void ShowValues(const actionedit::ActionPanelValues& values) override;
};
