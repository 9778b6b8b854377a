// One page of the configuration window: a modeless child dialog that keeps its own edits and
// its own changed state, and writes its files when the window applies its pages.
#pragma once

#include "ui/TandrelDlg.h"

class CTandrelConfigDlg;

class CConfigurationPage : public CChildDialog {
 public:
  CConfigurationPage(int templateId, HWND parent);

  // The window told after every change of the changed state.
  void SetOwner(CTandrelConfigDlg* owner) { owner_ = owner; }
  bool IsChanged() const { return changed_; }
  // Writes the page's edits to their files and clears the changed state.
  virtual void Apply() = 0;
  // The user turned to the page's tab: a page showing what other pages edit shows it anew.
  virtual void Shown() {}

 protected:
  // Sets or clears the changed state and tells the owner.
  void SetChanged(bool changed);
  // The window of the pages; null before SetOwner.
  CTandrelConfigDlg* Owner() const { return owner_; }

 private:
  CTandrelConfigDlg* owner_ = nullptr;
  bool changed_ = false;
};
