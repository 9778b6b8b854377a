#include "ui/ConfigurationPage.h"

#include "ui/TandrelConfigDlg.h"

CConfigurationPage::CConfigurationPage(int templateId, const ui::WindowServices& services,
                                       CTandrelConfigDlg& owner, HWND parent)
    : CChildDialog(templateId, services.instance, parent), services_(services), owner_(owner) {}

void CConfigurationPage::SetChanged(bool changed) {
  changed_ = changed;
  owner_.UpdateApplyButton();
}
