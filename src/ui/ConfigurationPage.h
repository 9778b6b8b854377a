// One page of the configuration window: a modeless child dialog that keeps its own edits and
// its own changed state, and writes its files when the window applies its pages.
#pragma once

#include "ui/PageHost.h"
#include "ui/TandrelDlg.h"
#include "ui/WindowServices.h"

class CConfigurationPage : public CChildDialog {
 public:
  // A page inside `parent` (the window's), telling `host` of every change of its changed state.
  CConfigurationPage(int templateId, const ui::WindowServices& services, ui::PageHost host,
                     HWND parent);

  bool IsChanged() const { return changed_; }
  // Writes the page's edits to their files and clears the changed state.
  virtual void Apply() = 0;
  // The user turned to the page's tab: a page showing what other pages edit shows it anew.
  virtual void Shown() {}
  // The user turned to another tab: whatever waits for the user's input on this page stops.
  virtual void Hidden() {}

 protected:
  // Sets or clears the changed state and tells the host.
  void SetChanged(bool changed);
  const ui::PageHost& Host() const { return host_; }
  const ui::WindowServices& Services() const { return services_; }
  CTandrelConfiguration& Configuration() const { return services_.configuration; }
  ui::IUserInterface& User() const { return services_.user; }

 private:
  const ui::WindowServices services_;
  const ui::PageHost host_;
  bool changed_ = false;
};
