#include "ui/ActionsConfigurationDlg.h"

#include "resource.h"

CActionsConfigurationDlg::CActionsConfigurationDlg(HWND parent)
    : CConfigurationPage(IDD_ACTIONS_PAGE, parent) {}

void CActionsConfigurationDlg::Apply() { SetChanged(false); }

INT_PTR CActionsConfigurationDlg::OnCommand(WPARAM, LPARAM) { return 0; }

INT_PTR CActionsConfigurationDlg::OnInitDialog() { return CTandrelDlg::OnInitDialog(); }
