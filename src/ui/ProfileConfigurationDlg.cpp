#include "ui/ProfileConfigurationDlg.h"

#include "resource.h"

CProfileConfigurationDlg::CProfileConfigurationDlg(HWND parent)
    : CConfigurationPage(IDD_PROFILE_PAGE, parent) {}

void CProfileConfigurationDlg::Apply() { SetChanged(false); }

INT_PTR CProfileConfigurationDlg::OnCommand(WPARAM, LPARAM) { return 0; }

INT_PTR CProfileConfigurationDlg::OnInitDialog() { return CTandrelDlg::OnInitDialog(); }
