#include "ui/ComplexActionConfigDlg.h"

#include <utility>

#include "resource.h"

CComplexActionConfigDlg::CComplexActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_COMPLEX_PANEL, instance, parent, /*repeatAndToggle=*/false) {}

ui::ListBox CComplexActionConfigDlg::AvailableList() {
  return Item<ui::ListBox>(IDC_COMPLEX_AVAILABLE);
}

ui::ListBox CComplexActionConfigDlg::CombinedList() {
  return Item<ui::ListBox>(IDC_COMPLEX_COMBINED);
}

void CComplexActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  ClearAvailable();
  ClearCombined();
}

bool CComplexActionConfigDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_COMPLEX_AVAILABLE:
      if (code == LBN_SELCHANGE) {
        Item<ui::Button>(IDC_COMPLEX_ADD).Enable(AvailableList().Selection() >= 0);
      }
      return true;
    case IDC_COMPLEX_ADD:
      AddSelectedAvailable();
      return true;
    case IDC_COMPLEX_COMBINED:
      if (code == LBN_SELCHANGE) ShowSelectedPart();
      return true;
    case IDC_COMPLEX_REMOVE:
      RemoveSelectedPart();
      return true;
    case IDC_COMPLEX_UP:
      MoveSelectedPart(-1);
      return true;
    case IDC_COMPLEX_DOWN:
      MoveSelectedPart(+1);
      return true;
    case IDC_COMPLEX_PART_HOLD:
    case IDC_COMPLEX_PART_HIT:
      SetSelectedPartPushType();
      return true;
    default:
      return false;
  }
}

void CComplexActionConfigDlg::ClearAvailable() {
  AvailableList().Reset();
  available_.clear();
  Item<ui::Button>(IDC_COMPLEX_ADD).Enable(false);
}

void CComplexActionConfigDlg::ClearCombined() {
  CombinedList().Reset();
  combined_.clear();
  Item<ui::Button>(IDC_COMPLEX_REMOVE).Enable(false);
  Item<ui::Button>(IDC_COMPLEX_UP).Enable(false);
  Item<ui::Button>(IDC_COMPLEX_DOWN).Enable(false);
  DisablePartButtons();
}

void CComplexActionConfigDlg::FillAvailable(std::vector<actionedit::CombinedEntry> entries) {
  available_ = std::move(entries);
  size_t textBytes = 0;
  for (const auto& entry : available_) textBytes += entry.name.size() + entry.theme.size() + 4;
  const ui::ListBox list = AvailableList();
  {
    ui::Refill refill(list, static_cast<int>(available_.size()), textBytes);
    for (size_t i = 0; i < available_.size(); ++i) {
      list.Add(actionedit::EntryText(available_[i]), static_cast<LPARAM>(i));
    }
  }
  Item<ui::Button>(IDC_COMPLEX_ADD).Enable(false);
}

void CComplexActionConfigDlg::AddCombined(const actionedit::CombinedEntry& entry) {
  combined_.push_back(entry);
  CombinedList().Add(actionedit::EntryText(entry));
}

void CComplexActionConfigDlg::AddSelectedAvailable() {
  const ui::ListBox list = AvailableList();
  const int selection = list.Selection();
  if (selection < 0) return;
  const auto index = static_cast<size_t>(list.ItemData(selection));
  if (index >= available_.size()) return;
  actionedit::CombinedEntry part = available_[index];
  part.pushType = PushType::Hold;
  AddCombined(part);
}

void CComplexActionConfigDlg::DisablePartButtons() {
  for (int id : {IDC_COMPLEX_PART_HOLD, IDC_COMPLEX_PART_HIT}) {
    Item<ui::Button>(id).SetChecked(false);
    Item<ui::Button>(id).Enable(false);
  }
}

void CComplexActionConfigDlg::ShowSelectedPart() {
  const int selection = CombinedList().Selection();
  if (selection < 0 || static_cast<size_t>(selection) >= combined_.size()) {
    Item<ui::Button>(IDC_COMPLEX_REMOVE).Enable(false);
    DisablePartButtons();  // "Up" and "Down" stay as they are
    return;
  }
  const int last = static_cast<int>(combined_.size()) - 1;
  Item<ui::Button>(IDC_COMPLEX_REMOVE).Enable(true);
  Item<ui::Button>(IDC_COMPLEX_UP).Enable(selection > 0);
  Item<ui::Button>(IDC_COMPLEX_DOWN).Enable(selection < last);
  const PushType type = combined_[static_cast<size_t>(selection)].pushType;
  Item<ui::Button>(IDC_COMPLEX_PART_HOLD).Enable(true);
  Item<ui::Button>(IDC_COMPLEX_PART_HIT).Enable(true);
  Item<ui::Button>(IDC_COMPLEX_PART_HOLD).SetChecked(type == PushType::Hold);
  Item<ui::Button>(IDC_COMPLEX_PART_HIT).SetChecked(type == PushType::Hit);
}

void CComplexActionConfigDlg::RemoveSelectedPart() {
  const ui::ListBox list = CombinedList();
  const int selection = list.Selection();
  if (selection < 0 || static_cast<size_t>(selection) >= combined_.size()) return;
  list.Delete(selection);
  combined_.erase(combined_.begin() + selection);
  Item<ui::Button>(IDC_COMPLEX_REMOVE).Enable(false);
  Item<ui::Button>(IDC_COMPLEX_UP).Enable(false);
  Item<ui::Button>(IDC_COMPLEX_DOWN).Enable(false);
  DisablePartButtons();
}

void CComplexActionConfigDlg::MoveSelectedPart(int step) {
  const ui::ListBox list = CombinedList();
  const int from = list.Selection();
  const int to = from + step;
  const int count = static_cast<int>(combined_.size());
  // The buttons are enabled only where a move is possible; a stale one does nothing.
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  const std::string text = list.ItemText(from);
  list.Delete(from);
  list.Insert(to, text);
  list.Select(to);
  std::swap(combined_[static_cast<size_t>(from)], combined_[static_cast<size_t>(to)]);
  if (step < 0) {
    if (to == 0) Item<ui::Button>(IDC_COMPLEX_UP).Enable(false);
    if (to < count - 1) Item<ui::Button>(IDC_COMPLEX_DOWN).Enable(true);
  } else {
    if (to > 0) Item<ui::Button>(IDC_COMPLEX_UP).Enable(true);
    if (to == count - 1) Item<ui::Button>(IDC_COMPLEX_DOWN).Enable(false);
  }
}

void CComplexActionConfigDlg::SetSelectedPartPushType() {
  const int selection = CombinedList().Selection();
  if (selection < 0 || static_cast<size_t>(selection) >= combined_.size()) return;
  PushType& type = combined_[static_cast<size_t>(selection)].pushType;
  if (Item<ui::Button>(IDC_COMPLEX_PART_HOLD).IsChecked()) {
    type = PushType::Hold;
  } else if (Item<ui::Button>(IDC_COMPLEX_PART_HIT).IsChecked()) {
    type = PushType::Hit;
  }
}

void CComplexActionConfigDlg::ReadValues(actionedit::ActionPanelValues& values) {
  values.complex.pushType = GetPushType();
  values.complex.parts = combined_;
}

void CComplexActionConfigDlg::ShowValues(const actionedit::ActionPanelValues& values) {
  SetPushType(values.complex.pushType);
  ClearCombined();
  for (const auto& part : values.complex.parts) AddCombined(part);
}
