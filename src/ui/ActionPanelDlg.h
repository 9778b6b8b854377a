// A property panel of the Actions tab: a modeless child of the tab, built from its template,
// that shows the settings of one action type. Every panel has push-type radio buttons ("Hold",
// "Hit", and on the key panel "Repeat" and "Toggle"), and moves its part of the panel values
// between its controls and actionedit::ActionPanelValues. Panels hold no action objects.
#pragma once

#include <span>
#include <string_view>

#include "actionedit/PanelValues.h"
#include "ui/Controls.h"
#include "ui/TandrelDlg.h"

class CActionPanelDlg : public CChildDialog {
 public:
  // A number box of a panel, one row of the panel's table.
  struct NumberBox {
    int id;
    int digits;  // the most the box takes
    // The value stored for the typed text (actionedit/NumberFields.h), which the box shows when
    // the user leaves it; null: the digits as typed, left as typed.
    int (*stored)(std::string_view typed);
    // Where the value lives among the panel values.
    const int& (*value)(const actionedit::ActionPanelValues& values);
  };

  // `repeatAndToggle`: whether the panel has the "Repeat" and "Toggle" buttons; `numbers`: the
  // panel's number boxes (a table that outlives the panel).
  CActionPanelDlg(int templateId, HINSTANCE instance, HWND parent, bool repeatAndToggle,
                  std::span<const NumberBox> numbers = {});

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
  // A number box the user leaves shows the value stored for its text.
  bool OnCommand(int id, int code) override { return code == EN_KILLFOCUS && ShowStored(id); }
  // The number boxes' digit limits, for OnInitDialog.
  void LimitNumbers();
  // The number boxes' values, stored for their texts, into `values`; and shown from them.
  void ReadNumbers(actionedit::ActionPanelValues& values);
  void ShowNumbers(const actionedit::ActionPanelValues& values);

 private:
  int PushButtonCount() const { return repeatAndToggle_ ? 4 : 2; }
  // Shows in box `id` what is stored for its text; false when `id` is no such box.
  bool ShowStored(int id);

  const bool repeatAndToggle_;
  const std::span<const NumberBox> numbers_;
};
