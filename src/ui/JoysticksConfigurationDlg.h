// The Joysticks page of the configuration window: the default profile, enabled state and picture of
// each controller, and launching on start-up.
#pragma once

#include "ui/ConfigurationPage.h"

class CJoysticksConfigurationDlg : public CConfigurationPage {
 public:
  explicit CJoysticksConfigurationDlg(HWND parent);

  void Apply() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
};
