#include "ui/ConfigurationPage.h"

#include "ui/ProgramContext.h"
#include "ui/TandrelConfigDlg.h"

CConfigurationPage::CConfigurationPage(int templateId, HWND parent)
    : CChildDialog(templateId, ui::ModuleInstance(), parent) {}

void CConfigurationPage::SetChanged(bool changed) {
  changed_ = changed;
  if (owner_ != nullptr) owner_->UpdateApplyButton();
}
