#include "ui/JoysticksConfigurationDlg.h"

#include "resource.h"

CJoysticksConfigurationDlg::CJoysticksConfigurationDlg(HWND parent)
    : CConfigurationPage(IDD_JOYSTICKS_PAGE, parent) {}

void CJoysticksConfigurationDlg::Apply() { SetChanged(false); }

INT_PTR CJoysticksConfigurationDlg::OnCommand(WPARAM, LPARAM) { return 0; }

INT_PTR CJoysticksConfigurationDlg::OnInitDialog() { return CTandrelDlg::OnInitDialog(); }
