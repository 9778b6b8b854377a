// The "The Shift Buttons" group of the Profile page: the buttons that are not shift buttons
// (1092), the shift buttons in shift-number order (1090) with "&Add", "&Remove", "&Up" and
// "&Down", and the shift state list (1098) of the assignment group, which offers
// "No Shift Button" and then one "Shift Button %d" per entry of 1090. Each list entry carries
// its button number as item data.
//
// A value over the page's window: it owns nothing and keeps no state beyond the controls. The
// page decides when the document follows (RebuildShiftButtons with Buttons()).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/Types.h"
#include "ui/Controls.h"
#include "ui/TandrelDlg.h"

class ShiftButtonLists {
 public:
  explicit ShiftButtonLists(const CTandrelDlg& page);

  // Buttons 1 to 32 available, the given ones (button numbers, shift-number order) moved to
  // the shift buttons, the shift state list to match with "No Shift Button" selected, and the
  // four buttons disabled; a pad's names beside the numbers.
  void Fill(const std::vector<int>& shiftButtons,
            seam::ControllerLayout names = seam::ControllerLayout::Joystick) const;
  void DisableButtons() const;

  // "&Add" follows the selection of the available list.
  void UpdateAddButton() const;
  // "&Remove", "&Up" and "&Down" follow the selection of the shift list.
  void UpdateShiftButtons() const;
  bool CanAdd() const { return add_.IsEnabled(); }
  bool CanRemove() const { return remove_.IsEnabled(); }

  // Each moves the selected entry; false when there is none to move.
  bool Add() const;
  bool Remove() const;
  // step -1: one place up; +1: one place down.
  bool Move(int step) const;

  // The button numbers of the shift list, in order.
  std::vector<int> Buttons() const;

 private:
  ui::ListBox available_;
  ui::ListBox shiftButtons_;
  ui::ComboBox shiftStates_;
  ui::Button add_, remove_, up_, down_;
};
