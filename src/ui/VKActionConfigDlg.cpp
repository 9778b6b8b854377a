#include "ui/VKActionConfigDlg.h"

#include "actionedit/KeyText.h"
#include "resource.h"

CVKActionConfigDlg::CVKActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_VK_PANEL, instance, parent, /*repeatAndToggle=*/true) {}

void CVKActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  Item<ui::Edit>(IDC_VK_KEY).LimitText(static_cast<int>(actionedit::kKeyTextLimit));
}

bool CVKActionConfigDlg::OnCommand(int id, int code) {
  if (id != IDC_VK_KEY || code != EN_UPDATE) return false;
  FilterKeyText();
  return true;
}

void CVKActionConfigDlg::FilterKeyText() {
  const std::optional<actionedit::KeyTextCut> cut = actionedit::FilterKeyText(GetKeyText());
  if (!cut) return;
  // Writing the field raises EN_UPDATE again; the filter then accepts the shortened text.
  SetKeyText(cut->text);
  Item<ui::Edit>(IDC_VK_KEY).SetCaret(static_cast<int>(cut->caret));
}

std::string CVKActionConfigDlg::GetKeyText() {
  return Item<ui::Edit>(IDC_VK_KEY).Text().substr(0, actionedit::kKeyTextLimit);
}

void CVKActionConfigDlg::SetKeyText(const std::string& text) {
  Item<ui::Edit>(IDC_VK_KEY).SetText(text.substr(0, actionedit::kKeyTextLimit));
}

unsigned char CVKActionConfigDlg::GetKeyCode() { return actionedit::KeyCodeFromText(GetKeyText()); }

void CVKActionConfigDlg::SetKeyCode(unsigned code) { SetKeyText(actionedit::KeyCodeText(code)); }

void CVKActionConfigDlg::ReadValues(actionedit::ActionPanelValues& values) {
  values.vk.pushType = GetPushType();
  values.vk.key = GetKeyCode();
}

void CVKActionConfigDlg::ShowValues(const actionedit::ActionPanelValues& values) {
  SetKeyCode(values.vk.key);
  SetPushType(values.vk.pushType);
}
