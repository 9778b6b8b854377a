// A property panel of the Actions tab: a modeless child of the tab, built from its template,
// that shows the settings of one action type. Every panel has push-type radio buttons ("Hold",
// "Hit", and on the key panel "Repeat" and "Toggle"), and moves its part of the panel values
// between its controls and actionedit::ActionPanelValues. Panels hold no action objects.
#pragma once

#include "actionedit/PanelValues.h"
#include "ui/Controls.h"
#include "ui/TandrelDlg.h"

class CActionPanelDlg : public CChildDialog {
 public:
  // `repeatAndToggle`: whether the panel has the "Repeat" and "Toggle" buttons.
  CActionPanelDlg(int templateId, HINSTANCE instance, HWND parent, bool repeatAndToggle);

  // The push type of the checked button; PushType::None when none is checked.
  PushType GetPushType();
  // Checks the button of `type` and unchecks the others; a type the panel has no button for
  // leaves the buttons as they are.
  void SetPushType(PushType type);

  // Copies this panel's values into its part of `values`.
  virtual void ReadValues(actionedit::ActionPanelValues& values) = 0;
  // Shows this panel's part of `values`.
  virtual void ShowValues(const actionedit::ActionPanelValues& values) = 0;

 protected:
  // A number box the user leaves shows the value stored for its text (ShowStored).
  bool OnCommand(int id, int code) override { return code == EN_KILLFOCUS && ShowStored(id); }
  // Shows in box `id` what is stored for its text; false when `id` is no such box.
  virtual bool ShowStored(int) { return false; }

 private:
  int PushButtonCount() const { return repeatAndToggle_ ? 4 : 2; }

  const bool repeatAndToggle_;
};
