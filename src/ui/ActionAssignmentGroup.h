// The "Actions Assignment" group of the Profile page: the element list (1097), the shift state
// list (1098, whose entries the shift-button group keeps), the percent list of axis actions
// (1129 with "Threshold:" and "%"), the theme list (1111) and the action list (1099, "<<None>>"
// first). It shows the action a profile stores for the chosen combination and stores the
// action the user chooses; the page owns the document and counts the changes.
//
// A value over the page's window: it owns nothing and keeps no state beyond the controls.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string_view>

#include "profileedit/ElementEntries.h"
#include "ui/Controls.h"
#include "ui/TandrelDlg.h"
#include "xml/XMLNode.h"

class ActionAssignmentGroup {
 public:
  explicit ActionAssignmentGroup(const CTandrelDlg& page);

  // The 48 element entries (every axis horizontal) with the first selected, the percents with
  // "0" selected and hidden, the library's themes, and an empty action list.
  void Fill() const;
  // Refills the theme list from the library, keeping the chosen theme where it still exists,
  // and shows the stored action again.
  void FollowLibrary(const CXMLNode& root) const;
  // The element entries as the profile labels them (profileedit::ElementEntryTexts: "Up"/
  // "Down" for a vertical axis, a pad's names beside the numbers); the selection stays.
  void Label(const CXMLNode& root, seam::ControllerLayout names) const;

  // Another element or shift state was chosen: the percent goes back to "0", shown only for
  // an axis entry, and the stored action is shown.
  void ElementChosen(const CXMLNode& root) const;
  // Selects the theme and action stored for the combination; "<<None>>" when the profile
  // stores none that the lists know.
  void ShowAssignment(const CXMLNode& root) const;
  // "<<None>>" and the actions of the chosen theme in library order; nothing selected.
  void FillActionList() const;
  // Stores the chosen action for the combination, or removes the stored one for "<<None>>".
  // True when the document changed.
  bool AssignAction(CXMLNode& root) const;

 private:
  void FillThemeList() const;
  // The chosen entry's target, its axis direction named as the document's axis type labels it.
  std::optional<profileedit::ElementTarget> ChosenTarget(const CXMLNode& root) const;
  int Percent() const;
  // "Threshold:", the percent list and "%": shown only while an axis entry is chosen.
  std::array<ui::Window, 3> PercentControls() const;

  ui::ComboBox elements_;
  ui::ComboBox shiftStates_;
  ui::ComboBox percents_;
  ui::ComboBox themes_;
  ui::ComboBox actions_;
  ui::Window thresholdLabel_;
  ui::Window percentSign_;
};
