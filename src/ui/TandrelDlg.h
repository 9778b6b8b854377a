// A window of the configuration user interface built from one of the program's dialog
// templates. Every dialog of the program runs through the one DialogProc: at WM_INITDIALOG it
// attaches the object (from the creation parameter) to the window, before OnInitDialog runs, so
// every notification the controls send while the window fills them reaches the object; then it
// routes the messages the program acts on to the handlers. A message no handler takes, and any
// message to a window not (or no longer) attached, returns FALSE: the dialog manager does the
// default.
//
// Two kinds: CModalDialog (DoModal, the configuration window) and CChildDialog (Create, the
// pages and panels inside it).
#pragma once

#include "ui/Control.h"
#include "ui/Controls.h"

class CTandrelDlg : public CControl {
 public:
  CTandrelDlg(int templateId, HINSTANCE instance, HWND parent);
  // Detaches from a window that still exists, so that no later message reaches a deleted
  // object; destroys no window.
  ~CTandrelDlg() override;

  // The control `id` of the window, as the wrapper the caller uses it through: the one way the
  // windows reach a control.
  template <typename Control = ui::Window>
  Control Item(int id) const {
    return Control(GetDlgItem(handle_, id));
  }

 protected:
  // The window exists and is attached; the system sets the default focus afterwards.
  virtual void OnInitDialog() {}
  // A command from control `id` with notification `code` (0 for a click or a menu item); true
  // when the dialog handled it.
  virtual bool OnCommand(int id, int code);
  virtual bool OnNotify(const NMHDR& header);
  // The caption's close button; false leaves it to the dialog manager.
  virtual bool OnClose();
  // What DialogProc returns for a message of the attached window: TRUE when handled.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int TemplateId() const { return templateId_; }
  HINSTANCE Instance() const { return instance_; }

 private:
  const int templateId_;
  const HINSTANCE instance_;
};

// A dialog that runs in its own message loop until it ends itself.
class CModalDialog : public CTandrelDlg {
 public:
  using CTandrelDlg::CTandrelDlg;
  // Runs the dialog; its EndDialog value, or -1 when no window could be made.
  INT_PTR DoModal();
};

// A modeless child dialog inside another window: a page or a panel.
class CChildDialog : public CTandrelDlg {
 public:
  using CTandrelDlg::CTandrelDlg;
  // Makes the window; OnInitDialog has run when it returns. False when no window was made.
  bool Create();
};
