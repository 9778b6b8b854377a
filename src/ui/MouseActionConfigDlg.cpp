#include "ui/MouseActionConfigDlg.h"

#include "actionedit/NumberFields.h"
#include "resource.h"

namespace {

constexpr int kDigits = 3;

}  // namespace

CMouseActionConfigDlg::CMouseActionConfigDlg(HINSTANCE instance, HWND parent)
    : CActionPanelDlg(IDD_MOUSE_PANEL, instance, parent, /*repeatAndToggle=*/false) {}

void CMouseActionConfigDlg::OnInitDialog() {
  SetPushType(PushType::Hold);
  for (int id : {IDC_MOUSE_DIRECTION, IDC_MOUSE_SPEED, IDC_MOUSE_DELAY, IDC_MOUSE_ACCELERATION}) {
    Item<ui::Edit>(id).LimitText(kDigits);
  }
}

bool CMouseActionConfigDlg::ShowStored(int id) {
  if (id == IDC_MOUSE_DIRECTION) {
    SetDirection(GetDirection());
  } else if (id == IDC_MOUSE_DELAY) {
    SetUpdateDelay(GetUpdateDelay());
  } else if (id == IDC_MOUSE_SPEED) {
    SetSpeed(GetSpeed());
  } else {
    return false;
  }
  return true;
}

unsigned CMouseActionConfigDlg::GetDirection() {
  return static_cast<unsigned>(
      actionedit::StoredDirection(Item<ui::Edit>(IDC_MOUSE_DIRECTION).Text()));
}
void CMouseActionConfigDlg::SetDirection(unsigned degrees) {
  Item<ui::Edit>(IDC_MOUSE_DIRECTION).SetNumber(degrees);
}
unsigned CMouseActionConfigDlg::GetSpeed() {
  return static_cast<unsigned>(
      actionedit::StoredNumber(actionedit::kMouseSpeed, Item<ui::Edit>(IDC_MOUSE_SPEED).Text()));
}
void CMouseActionConfigDlg::SetSpeed(unsigned speed) {
  Item<ui::Edit>(IDC_MOUSE_SPEED).SetNumber(speed);
}
unsigned CMouseActionConfigDlg::GetUpdateDelay() {
  return static_cast<unsigned>(
      actionedit::StoredNumber(actionedit::kUpdateDelay, Item<ui::Edit>(IDC_MOUSE_DELAY).Text()));
}
void CMouseActionConfigDlg::SetUpdateDelay(unsigned delay) {
  Item<ui::Edit>(IDC_MOUSE_DELAY).SetNumber(delay);
}
unsigned CMouseActionConfigDlg::GetAcceleration() {
  return Item<ui::Edit>(IDC_MOUSE_ACCELERATION).Number();
}
void CMouseActionConfigDlg::SetAcceleration(unsigned acceleration) {
  Item<ui::Edit>(IDC_MOUSE_ACCELERATION).SetNumber(acceleration);
}
bool CMouseActionConfigDlg::IsAbsolute() {
  return Item<ui::Button>(IDC_MOUSE_ABSOLUTE).IsChecked();
}
void CMouseActionConfigDlg::SetAbsolute(bool absolute) {
  Item<ui::Button>(IDC_MOUSE_ABSOLUTE).SetChecked(absolute);
}

void CMouseActionConfigDlg::ReadValues(actionedit::ActionPanelValues& values) {
  actionedit::MousePanelValues& mouse = values.mouse;
  mouse.pushType = GetPushType();
  mouse.absolute = IsAbsolute();
  mouse.acceleration = static_cast<int>(GetAcceleration());
  mouse.delay = static_cast<int>(GetUpdateDelay());
  mouse.direction = static_cast<int>(GetDirection());
  mouse.speed = static_cast<int>(GetSpeed());
}

void CMouseActionConfigDlg::ShowValues(const actionedit::ActionPanelValues& values) {
  const actionedit::MousePanelValues& mouse = values.mouse;
  SetAbsolute(mouse.absolute);
  SetAcceleration(static_cast<unsigned>(mouse.acceleration));
  SetUpdateDelay(static_cast<unsigned>(mouse.delay));
  SetDirection(static_cast<unsigned>(mouse.direction));
  SetPushType(mouse.pushType);
  SetSpeed(static_cast<unsigned>(mouse.speed));
}
