// The Profile page of the configuration window: one profile file: polling delay, shift buttons,
// axes and action assignments.
#pragma once

#include "ui/ConfigurationPage.h"

class CProfileConfigurationDlg : public CConfigurationPage {
 public:
  explicit CProfileConfigurationDlg(HWND parent);

  void Apply() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
};
