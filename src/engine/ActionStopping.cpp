#include "engine/ActionStopping.h"

#include "actions/ComplexAction.h"
#include "engine/JoystickAxisThreshold.h"

void StopActionCompletely(CAction& action) {
  if (auto* container = dynamic_cast<CJoystickAxisThreshold*>(&action)) {
    container->StopAll();
    return;
  }
  action.ForceRelease(nullptr);
  if (auto* combination = dynamic_cast<CComplexAction*>(&action)) {
    for (const auto& part : combination->GetActions()) StopActionCompletely(*part);
  }
}
