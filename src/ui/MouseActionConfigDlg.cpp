#include "ui/MouseActionConfigDlg.h"

#include "actionedit/NumberFields.h"
#include "resource.h"

namespace {

using actionedit::ActionPanelValues;

constexpr CActionPanelDlg::NumberBox kNumbers[] = {
    {IDC_MOUSE_DIRECTION, 3, actionedit::StoredDirection,
     [](const ActionPanelValues& v) -> const int& { return v.mouse.direction; }},
    {IDC_MOUSE_SPEED, 3,
     [](std::string_view typed) {
       return actionedit::StoredNumber(actionedit::kMouseSpeed, typed);
     },
     [](const ActionPanelValues& v) -> const int& { return v.mouse.speed; }},
    {IDC_MOUSE_DELAY, 3,
     [](std::string_view typed) {
       return actionedit::StoredNumber(actionedit::kUpdateDelay, typed);
     },
     [](const ActionPanelValues& v) -> const int& { return v.mouse.delay; }},
    {IDC_MOUSE_ACCELERATION, 3, nullptr,
     [](const ActionPanelValues& v) -> const int& { return v.mouse.acceleration; }},
};

}  // namespace

CMouseActionConfigDlg::CMouseActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_MOUSE_PANEL, instance, parent, /*repeatAndToggle=*/false, kNumbers) {}

void CMouseActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  LimitNumbers();
}

void CMouseActionConfigDlg::ReadValues(ActionPanelValues& values) {
  values.mouse.pushType = GetPushType();
  values.mouse.absolute = Item<ui::Button>(IDC_MOUSE_ABSOLUTE).IsChecked();
  ReadNumbers(values);
}

void CMouseActionConfigDlg::ShowValues(const ActionPanelValues& values) {
  Item<ui::Button>(IDC_MOUSE_ABSOLUTE).SetChecked(values.mouse.absolute);
  ShowNumbers(values);
  SetPushType(values.mouse.pushType);
}
