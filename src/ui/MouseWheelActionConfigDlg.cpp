#include "ui/MouseWheelActionConfigDlg.h"

#include "actionedit/NumberFields.h"
#include "actions/MouseWheelAction.h"
#include "resource.h"

CMouseWheelActionConfigDlg::CMouseWheelActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_WHEEL_PANEL, instance, parent, /*repeatAndToggle=*/false) {}

void CMouseWheelActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  SetDirection(CMouseWheelAction::kUp);
  Item<ui::Edit>(IDC_WHEEL_LINES).LimitText(1);
  Item<ui::Edit>(IDC_WHEEL_DELAY).LimitText(3);
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

bool CMouseWheelActionConfigDlg::ShowStored(int id) {
  if (id == IDC_WHEEL_LINES) {
    SetLines(GetLines());
  } else if (id == IDC_WHEEL_DELAY) {
    SetUpdateDelay(GetUpdateDelay());
  } else {
    return false;
  }
  return true;
}

unsigned CMouseWheelActionConfigDlg::GetLines() {
  return static_cast<unsigned>(
      actionedit::StoredNumber(actionedit::kWheelLines, Item<ui::Edit>(IDC_WHEEL_LINES).Text()));
}
void CMouseWheelActionConfigDlg::SetLines(unsigned lines) {
  Item<ui::Edit>(IDC_WHEEL_LINES).SetNumber(lines);
}
unsigned CMouseWheelActionConfigDlg::GetUpdateDelay() {
  return static_cast<unsigned>(
      actionedit::StoredNumber(actionedit::kUpdateDelay, Item<ui::Edit>(IDC_WHEEL_DELAY).Text()));
}
void CMouseWheelActionConfigDlg::SetUpdateDelay(unsigned delay) {
  Item<ui::Edit>(IDC_WHEEL_DELAY).SetNumber(delay);
}

void CMouseWheelActionConfigDlg::ReadValues(actionedit::ActionPanelValues& values) {
  values.wheel.pushType = GetPushType();
  values.wheel.direction = GetDirection();
  values.wheel.delay = static_cast<int>(GetUpdateDelay());
  values.wheel.lines = static_cast<int>(GetLines());
}

void CMouseWheelActionConfigDlg::ShowValues(const actionedit::ActionPanelValues& values) {
  SetUpdateDelay(static_cast<unsigned>(values.wheel.delay));
  SetDirection(values.wheel.direction);
  SetLines(static_cast<unsigned>(values.wheel.lines));
  SetPushType(values.wheel.pushType);
}
