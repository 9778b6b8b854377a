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

INT_PTR CTandrelDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      return OnClose();
    case WM_NOTIFY:
      return OnNotify(wParam, lParam);
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    default:
      return 0;
  }
}

bool CTandrelDlg::Create() {
  handle_ = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  if (handle_ == nullptr) return false;
  Attach();
  return true;
}

HWND CTandrelDlg::GetItem(int id) { return GetDlgItem(handle_, id); }

INT_PTR CTandrelDlg::OnInitDialog() { return Attach(); }

INT_PTR CTandrelDlg::OnClose() { return DefWindowProcA(handle_, WM_CLOSE, 0, 0); }

INT_PTR CTandrelDlg::Attach() {
  SetWindowLongPtrA(handle_, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  return TRUE;
}

INT_PTR CALLBACK CTandrelDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CTandrelDlg*>(lParam);
    dialog->handle_ = window;
    ui::ApplyTemplateHelpIds(window, dialog->instance_, dialog->templateId_);
    return dialog->OnInitDialog();
  }
  auto* dialog = reinterpret_cast<CTandrelDlg*>(GetWindowLongPtrA(window, DWLP_USER));
  if (dialog == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: the object keeps its (now stale) handle but no slot points at it.
    SetWindowLongPtrA(window, DWLP_USER, 0);
    return 0;
  }
  return dialog->HandleMessage(message, wParam, lParam);
}
