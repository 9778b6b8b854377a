// A window of the configuration user interface built from one of the program's dialog
// templates. Every dialog of the program runs through the one DialogProc, which finds the
// object in the window's user slot and routes the messages the program acts on to virtual
// handlers.
#pragma once

#include "ui/Control.h"

class CTandrelDlg : public CControl {
 public:
  CTandrelDlg(int templateId, HINSTANCE instance, HWND parent);
  // Detaches from a window that still exists, so that no later message reaches a deleted
  // object; destroys no window.
  ~CTandrelDlg() override;

  // WM_CLOSE, WM_NOTIFY, WM_INITDIALOG and WM_COMMAND go to their handlers; everything else
  // returns 0 and the dialog manager does the default.
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Modeless creation; OnInitDialog has run when it returns. False when no window was made.
  virtual bool Create();
  virtual INT_PTR DoModal() = 0;
  virtual HWND GetItem(int id);
  virtual INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) = 0;
  virtual INT_PTR OnNotify(WPARAM wParam, LPARAM lParam) = 0;
  // Attaches and returns TRUE (the system sets the default focus). Every override ends so.
  virtual INT_PTR OnInitDialog();
  virtual INT_PTR OnClose();

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Stores this object in the window's user slot.
  INT_PTR Attach();
  int TemplateId() const { return templateId_; }
  HINSTANCE Instance() const { return instance_; }

 private:
  const int templateId_;
  const HINSTANCE instance_;
};
