#include "ui/TandrelDlg.h"

#include "ui/TemplateHelpIds.h"

CTandrelDlg::CTandrelDlg(int templateId, HINSTANCE instance, HWND parent)
    : CControl(parent), templateId_(templateId), instance_(instance) {}

CTandrelDlg::~CTandrelDlg() {
  if (handle_ != nullptr && IsWindow(handle_) &&
      GetWindowLongPtrA(handle_, DWLP_USER) == reinterpret_cast<LONG_PTR>(this)) {
    SetWindowLongPtrA(handle_, DWLP_USER, 0);
  }
}

bool CTandrelDlg::OnCommand(int, int) { return false; }
bool CTandrelDlg::OnNotify(const NMHDR&) { return false; }
bool CTandrelDlg::OnClose() { return false; }

INT_PTR CTandrelDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      return OnClose() ? TRUE : FALSE;
    case WM_NOTIFY:
      return lParam != 0 && OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK CTandrelDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CTandrelDlg*>(lParam);
    dialog->handle_ = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    ui::ApplyTemplateHelpIds(window, dialog->instance_, dialog->templateId_);
    dialog->OnInitDialog();
    return TRUE;
  }
  auto* dialog = reinterpret_cast<CTandrelDlg*>(GetWindowLongPtrA(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    // The window is gone: the object keeps its (now stale) handle but no slot points at it.
    SetWindowLongPtrA(window, DWLP_USER, 0);
    return FALSE;
  }
  return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CModalDialog::DoModal() {
  return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(TemplateId()), GetParentHandle(), DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool CChildDialog::Create() {
  handle_ = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(TemplateId()), GetParentHandle(),
                               DialogProc, reinterpret_cast<LPARAM>(this));
  return handle_ != nullptr;
}
