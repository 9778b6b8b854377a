#include "ui/ShiftButtonLists.h"

#include "profileedit/ElementEntries.h"
#include "resource.h"

ShiftButtonLists::ShiftButtonLists(const CTandrelDlg& page)
    : available_(page.Item<ui::ListBox>(IDC_PROF_AVAILABLE)),
      shiftButtons_(page.Item<ui::ListBox>(IDC_PROF_SHIFT_BUTTONS)),
      shiftStates_(page.Item<ui::ComboBox>(IDC_PROF_SHIFT_STATE)),
      add_(page.Item<ui::Button>(IDC_PROF_ADD)),
      remove_(page.Item<ui::Button>(IDC_PROF_REMOVE)),
      up_(page.Item<ui::Button>(IDC_PROF_UP)),
      down_(page.Item<ui::Button>(IDC_PROF_DOWN)) {}

void ShiftButtonLists::Fill(const std::vector<int>& shiftButtons,
                            seam::ControllerLayout names) const {
  available_.Reset();
  shiftButtons_.Reset();
  shiftStates_.Reset();
  for (int n = 1; n <= profileedit::kButtonEntryCount; ++n) {
    available_.Add(profileedit::ButtonEntryText(n, names), n);
  }
  shiftStates_.Add(profileedit::kNoShiftButtonText);
  shiftStates_.Select(0);
  for (int button : shiftButtons) {
    for (int i = 0; i < available_.Count(); ++i) {
      if (available_.ItemData(i) != button) continue;
      available_.Delete(i);
      shiftButtons_.Add(profileedit::ButtonEntryText(button, names), button);
      shiftStates_.Add(profileedit::ShiftStateEntryText(shiftButtons_.Count()), button);
      break;
    }
  }
  DisableButtons();
}

void ShiftButtonLists::DisableButtons() const {
  for (const ui::Button& button : {add_, remove_, down_, up_}) button.Enable(false);
}

void ShiftButtonLists::UpdateAddButton() const { add_.Enable(available_.Selection() >= 0); }

void ShiftButtonLists::UpdateShiftButtons() const {
  const int selection = shiftButtons_.Selection();
  remove_.Enable(selection >= 0);
  up_.Enable(selection > 0);
  down_.Enable(selection >= 0 && selection < shiftButtons_.Count() - 1);
}

bool ShiftButtonLists::Add() const {
  const int selection = available_.Selection();
  if (selection < 0) return false;
  const LPARAM button = available_.ItemData(selection);
  const std::string text = available_.ItemText(selection);
  available_.Delete(selection);
  shiftButtons_.Select(shiftButtons_.Add(text, button));
  const int count = shiftButtons_.Count();
  add_.Enable(false);
  remove_.Enable(true);
  up_.Enable(count > 1);
  down_.Enable(false);
  shiftStates_.Add(profileedit::ShiftStateEntryText(count), count);
  return true;
}

bool ShiftButtonLists::Remove() const {
  const int selection = shiftButtons_.Selection();
  if (selection < 0) return false;
  const LPARAM button = shiftButtons_.ItemData(selection);
  const std::string text = shiftButtons_.ItemText(selection);
  shiftButtons_.Delete(selection);
  int before = 0;
  while (before < available_.Count() && available_.ItemData(before) <= button) ++before;
  available_.Select(available_.Insert(before, text, button));
  for (const ui::Button& disabled : {remove_, down_, up_}) disabled.Enable(false);
  add_.Enable(true);
  shiftStates_.Delete(shiftStates_.Count() - 1);
  return true;
}

bool ShiftButtonLists::Move(int step) const {
  const int selection = shiftButtons_.Selection();
  const int to = selection + step;
  if (selection < 0 || to < 0 || to >= shiftButtons_.Count()) return false;
  const LPARAM button = shiftButtons_.ItemData(selection);
  const std::string text = shiftButtons_.ItemText(selection);
  shiftButtons_.Delete(selection);
  shiftButtons_.Select(shiftButtons_.Insert(to, text, button));
  UpdateShiftButtons();
  return true;
}

std::vector<int> ShiftButtonLists::Buttons() const {
  std::vector<int> buttons;
  for (int i = 0; i < shiftButtons_.Count(); ++i) {
    buttons.push_back(static_cast<int>(shiftButtons_.ItemData(i)));
  }
  return buttons;
}
