#include "ui/VKActionConfigDlg.h"

#include <commctrl.h>

#include "actionedit/KeyText.h"
#include "resource.h"

namespace {

constexpr const char* kPressAKeyText = "Press a key";
constexpr const char* kStopText = "Stop";
constexpr const char* kWaitingText = "Press a key, or click the field with a mouse button.";
constexpr UINT_PTR kFieldSubclass = 1;

}  // namespace

CVKActionConfigDlg::CVKActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_VK_PANEL, instance, parent, /*repeatAndToggle=*/true) {}

void CVKActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  Item<ui::Edit>(IDC_VK_KEY).LimitText(static_cast<int>(actionedit::kKeyTextLimit));
  SetWindowSubclass(Item(IDC_VK_KEY).handle(), FieldProc, kFieldSubclass,
                    reinterpret_cast<DWORD_PTR>(this));
}

bool CVKActionConfigDlg::OnCommand(int id, int code) {
  if (id == IDC_VK_PRESS && code == BN_CLICKED) {
    if (IsWaiting()) {
      StopWaiting();
    } else {
      StartWaiting();
    }
    return true;
  }
  if (id != IDC_VK_KEY) return false;
  if (code == EN_UPDATE) FilterKeyText();
  if (code == EN_CHANGE && !IsWaiting()) {
    Item(IDC_VK_NAME).SetText(actionedit::KeyName(GetKeyCode()));
  }
  return true;
}

INT_PTR CVKActionConfigDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case ui::KeyCapture::kKeyTakenMessage:
      // The capture stays until the key's release, which it swallows too.
      if (capture_) Take(static_cast<unsigned>(wParam));
      return TRUE;
    case WM_SHOWWINDOW:
      if (wParam == FALSE) StopWaiting();
      return FALSE;
    case WM_DESTROY:
      capture_.reset();
      return FALSE;
    default:
      return CActionPanelDlg::HandleMessage(message, wParam, lParam);
  }
}

void CVKActionConfigDlg::StartWaiting() {
  capture_ = std::make_unique<ui::KeyCapture>(handle_);
  if (!capture_->Active()) {
    capture_.reset();
    return;
  }
  ShowWaiting(true);
}

void CVKActionConfigDlg::StopWaiting() {
  if (!IsWaiting()) return;
  capture_.reset();
  ShowWaiting(false);
}

void CVKActionConfigDlg::Take(unsigned code) {
  ShowWaiting(false);
  SetKeyCode(code);
}

void CVKActionConfigDlg::ShowWaiting(bool waiting) {
  Item(IDC_VK_PRESS).SetText(waiting ? kStopText : kPressAKeyText);
  Item(IDC_VK_NAME).SetText(waiting ? kWaitingText : actionedit::KeyName(GetKeyCode()));
}

LRESULT CALLBACK CVKActionConfigDlg::FieldProc(HWND field, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* panel = reinterpret_cast<CVKActionConfigDlg*>(data);
  struct Button {
    UINT down, up;
    unsigned code;
  };
  static constexpr Button kButtons[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, 0x01},
                                        {WM_RBUTTONDOWN, WM_RBUTTONUP, 0x02},
                                        {WM_MBUTTONDOWN, WM_MBUTTONUP, 0x04}};
  for (const Button& button : kButtons) {
    if (message == button.down && panel->IsWaiting()) {
      panel->capture_.reset();
      panel->swallowedRelease_ = button.up;
      panel->Take(button.code);
      return 0;
    }
    // Swallowed, the right button's release opens no context menu.
    if (message == button.up && message == panel->swallowedRelease_) {
      panel->swallowedRelease_ = 0;
      return 0;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(field, FieldProc, kFieldSubclass);
  return DefSubclassProc(field, message, wParam, lParam);
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
  StopWaiting();
  SetKeyCode(values.vk.key);
  SetPushType(values.vk.pushType);
}
