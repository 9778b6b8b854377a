// The Actions page of the configuration window: the named actions of the action library.
#pragma once

#include "ui/ConfigurationPage.h"

class CActionsConfigurationDlg : public CConfigurationPage {
 public:
  explicit CActionsConfigurationDlg(HWND parent);

  void Apply() override;
  INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog() override;
};
