#include "ui/ConfigurationPage.h"

#include <utility>

CConfigurationPage::CConfigurationPage(int templateId, const ui::WindowServices& services,
                                       ui::PageHost host, HWND parent)
    : CChildDialog(templateId, services.instance, parent),
      services_(services),
      host_(std::move(host)) {}

void CConfigurationPage::SetChanged(bool changed) {
  changed_ = changed;
  if (host_.changed) host_.changed();
}
