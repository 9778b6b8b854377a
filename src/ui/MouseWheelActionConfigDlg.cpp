#include "ui/MouseWheelActionConfigDlg.h"

#include "actionedit/NumberFields.h"
#include "actions/MouseWheelAction.h"
#include "resource.h"

namespace {

using actionedit::ActionPanelValues;

constexpr CActionPanelDlg::NumberBox kNumbers[] = {
    {IDC_WHEEL_LINES, 1,
     [](std::string_view typed) {
       return actionedit::StoredNumber(actionedit::kWheelLines, typed);
     },
     [](const ActionPanelValues& v) -> const int& { return v.wheel.lines; }},
    {IDC_WHEEL_DELAY, 3,
     [](std::string_view typed) {
       return actionedit::StoredNumber(actionedit::kUpdateDelay, typed);
     },
     [](const ActionPanelValues& v) -> const int& { return v.wheel.delay; }},
};

}  // namespace

CMouseWheelActionConfigDlg::CMouseWheelActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_WHEEL_PANEL, instance, parent, /*repeatAndToggle=*/false, kNumbers) {}

void CMouseWheelActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  SetDirection(CMouseWheelAction::kUp);
  LimitNumbers();
}

int CMouseWheelActionConfigDlg::GetDirection() {
  if (Item<ui::Button>(IDC_WHEEL_UP).IsChecked()) return CMouseWheelAction::kUp;
  return Item<ui::Button>(IDC_WHEEL_DOWN).IsChecked() ? CMouseWheelAction::kDown
                                                      : CMouseWheelAction::kUp;
}

void CMouseWheelActionConfigDlg::SetDirection(int direction) {
  if (direction != CMouseWheelAction::kUp && direction != CMouseWheelAction::kDown) return;
  Item<ui::Button>(IDC_WHEEL_UP).SetChecked(direction == CMouseWheelAction::kUp);
  Item<ui::Button>(IDC_WHEEL_DOWN).SetChecked(direction == CMouseWheelAction::kDown);
}

void CMouseWheelActionConfigDlg::ReadValues(ActionPanelValues& values) {
  values.wheel.pushType = GetPushType();
  values.wheel.direction = GetDirection();
  ReadNumbers(values);
}

void CMouseWheelActionConfigDlg::ShowValues(const ActionPanelValues& values) {
  ShowNumbers(values);
  SetDirection(values.wheel.direction);
  SetPushType(values.wheel.pushType);
}
