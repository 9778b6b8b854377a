#include "ui/ActionPanelDlg.h"

#include <algorithm>
#include <array>

#include "resource.h"

namespace {

struct PushButton {
  int id;
  PushType type;
};

// "Repeat" and "Toggle" come last: panels without them use the first two.
constexpr std::array<PushButton, 4> kPushButtons = {{{IDC_PUSH_HOLD, PushType::Hold},
                                                     {IDC_PUSH_HIT, PushType::Hit},
                                                     {IDC_PUSH_REPEAT, PushType::Repeat},
                                                     {IDC_PUSH_TOGGLE, PushType::Toggle}}};

}  // namespace

CActionPanelDlg::CActionPanelDlg(int templateId, HINSTANCE instance, HWND parent,
                                 bool repeatAndToggle, std::span<const NumberBox> numbers)
    : CChildDialog(templateId, instance, parent),
      repeatAndToggle_(repeatAndToggle),
      numbers_(numbers) {}

PushType CActionPanelDlg::GetPushType() {
  for (int i = 0; i < PushButtonCount(); ++i) {
    if (Item<ui::Button>(kPushButtons[i].id).IsChecked()) return kPushButtons[i].type;
  }
  return PushType::None;
}

void CActionPanelDlg::SetPushType(PushType type) {
  const auto* end = kPushButtons.begin() + PushButtonCount();
  const bool hasButton = std::find_if(kPushButtons.begin(), end,
                                      [&](const PushButton& b) { return b.type == type; }) != end;
  if (!hasButton) return;
  for (const auto* button = kPushButtons.begin(); button != end; ++button) {
    Item<ui::Button>(button->id).SetChecked(button->type == type);
  }
}

void CActionPanelDlg::LimitNumbers() {
  for (const NumberBox& box : numbers_) Item<ui::Edit>(box.id).LimitText(box.digits);
}

void CActionPanelDlg::ReadNumbers(actionedit::ActionPanelValues& values) {
  for (const NumberBox& box : numbers_) {
    const ui::Edit edit = Item<ui::Edit>(box.id);
    // `values` is not const: the table names the field through a const accessor only.
    const_cast<int&>(box.value(values)) =
        box.stored != nullptr ? box.stored(edit.Text()) : static_cast<int>(edit.Number());
  }
}

void CActionPanelDlg::ShowNumbers(const actionedit::ActionPanelValues& values) {
  for (const NumberBox& box : numbers_) {
    Item<ui::Edit>(box.id).SetNumber(static_cast<unsigned>(box.value(values)));
  }
}

bool CActionPanelDlg::ShowStored(int id) {
  for (const NumberBox& box : numbers_) {
    if (box.id != id || box.stored == nullptr) continue;
    const ui::Edit edit = Item<ui::Edit>(id);
    edit.SetNumber(static_cast<unsigned>(box.stored(edit.Text())));
    return true;
  }
  return false;
}
