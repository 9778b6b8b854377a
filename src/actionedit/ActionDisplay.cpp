#include "actionedit/ActionDisplay.h"

#include <string>

#include "actions/ActionLibrary.h"
#include "actions/ComplexAction.h"
#include "actions/MouseAction.h"
#include "actions/MouseWheelAction.h"
#include "actions/VKAction.h"

namespace actionedit {

namespace {

// What a panel's SetPushType does: check the button of that number, if the panel has one.
void ShowPushType(PushType type, bool panelHasRepeatAndToggle, PushType& shown) {
  const bool hasButton =
      type == PushType::Hold || type == PushType::Hit ||
      (panelHasRepeatAndToggle && (type == PushType::Repeat || type == PushType::Toggle));
  if (hasButton) shown = type;
}

}  // namespace

void ShowActionValues(const CAction& action, ActionPanelValues& panels) {
  if (const auto* key = dynamic_cast<const CVKAction*>(&action)) {
    panels.checked = ActionKind::VirtualKey;
    panels.vk.key = key->GetKey();
    ShowPushType(key->GetPushType(), true, panels.vk.pushType);
  } else if (const auto* mouse = dynamic_cast<const CMouseAction*>(&action)) {
    panels.checked = ActionKind::MouseMovement;
    MousePanelValues& shown = panels.mouse;
    shown.absolute = mouse->IsAbsolute();
    shown.acceleration = mouse->GetAcceleration();
    shown.delay = mouse->GetDelay();
    shown.direction = mouse->GetDirection();
    ShowPushType(mouse->GetPushType(), false, shown.pushType);
    shown.speed = mouse->GetSpeed();
  } else if (const auto* wheel = dynamic_cast<const CMouseWheelAction*>(&action)) {
    panels.checked = ActionKind::MouseWheel;
    panels.wheel.delay = wheel->GetDelay();
    panels.wheel.direction = wheel->GetDirection();
    panels.wheel.lines = wheel->GetLines();
    ShowPushType(wheel->GetPushType(), false, panels.wheel.pushType);
  } else if (const auto* complex = dynamic_cast<const CComplexAction*>(&action)) {
    panels.checked = ActionKind::Combination;
    ShowPushType(complex->GetPushType(), false, panels.complex.pushType);
    panels.complex.parts.clear();
    for (const auto& part : complex->GetActions()) {
      panels.complex.parts.push_back({part->GetTheme(), part->GetName(), part->GetPushType()});
    }
  }
}

bool ShowLibraryAction(std::string_view theme, std::string_view name, ActionPanelValues& panels) {
  auto lock = LockActionLibrary();
  const CAction* action = FindAction(std::string(theme).c_str(), std::string(name).c_str());
  if (action == nullptr) return false;
  ShowActionValues(*action, panels);
  return true;
}

}  // namespace actionedit
