#include "engine/JoystickButtonBase.h"

#include <utility>

#include "engine/ShiftButtonOwner.h"

CJoystickButtonBase::CJoystickButtonBase(CShiftButtonOwner* owner, const char* name)
    : owner_(owner) {
  Init(name);
}

CJoystickButtonBase::CJoystickButtonBase(CShiftButtonOwner* owner) : owner_(owner) {
  CJoystickButtonBase::SetShiftCount(0);
}

CJoystickButtonBase::~CJoystickButtonBase() {
  // Virtual calls resolve to this class here; derived classes release their own parts first.
  if (pressed_) CJoystickButtonBase::Release(nullptr);
  CJoystickButtonBase::StopAllActions();
  CJoystickButtonBase::DeleteAllActions();
}

bool CJoystickButtonBase::Init(const char* name) {
  if (initialised_) return false;
  highest_ = -1;
  pressed_ = false;
  pressList_.clear();
  releaseList_.clear();
  shiftNumber_ = 0;
  shiftState_ = 0;
  SetShiftCount(0);
  name_ = name != nullptr ? name : "";
  initialised_ = true;
  enabled_ = true;
  return true;
}

void CJoystickButtonBase::DeleteAllActions() {
  DeleteActionList(pressList_);
  DeleteActionList(releaseList_);
}

void CJoystickButtonBase::DeleteActionList(ActionList& list) {
  for (auto& action : list) {
    if (action) StopActionCompletely(*action);
  }
  list.clear();
}

void CJoystickButtonBase::RemoveAction(int shiftState, bool releaseList) {
  RemoveActionAt(shiftState, releaseList ? releaseList_ : pressList_);
}

void CJoystickButtonBase::RemoveActionAt(int shiftState, ActionList& list) {
  if (shiftState < 0 || shiftState >= static_cast<int>(list.size())) return;
  const bool wasEnabled = enabled_;
  Enable(false);
  if (auto& action = list[shiftState]) {
    StopActionCompletely(*action);
    action.reset();
  }
  Enable(wasEnabled);
}

void CJoystickButtonBase::SetAction(int shiftState, const CAction& action, bool releaseList) {
  if (!InRange(shiftState)) return;
  StoreAction(shiftState, action.Clone(), releaseList);
}

void CJoystickButtonBase::StoreAction(int shiftState, std::unique_ptr<CAction> action,
                                      bool releaseList) {
  if (!InRange(shiftState) || !action) return;
  const bool wasEnabled = enabled_;
  Enable(false);
  RemoveAction(shiftState, releaseList);
  if (releaseList) action->SetPushType(PushType::Hit);
  (releaseList ? releaseList_ : pressList_)[shiftState] = std::move(action);
  Enable(wasEnabled);
}

std::unique_ptr<CAction> CJoystickButtonBase::GetAction(int shiftState, bool releaseList) const {
  return CopyActionAt(shiftState, releaseList ? releaseList_ : pressList_);
}

CAction* CJoystickButtonBase::PeekAction(int shiftState, bool releaseList) const {
  const ActionList& list = releaseList ? releaseList_ : pressList_;
  if (shiftState < 0 || shiftState >= static_cast<int>(list.size())) return nullptr;
  return list[shiftState].get();
}

std::unique_ptr<CAction> CJoystickButtonBase::CopyActionAt(int shiftState,
                                                           const ActionList& list) const {
  if (shiftState < 0 || shiftState >= static_cast<int>(list.size()) || !list[shiftState]) {
    return nullptr;
  }
  return list[shiftState]->Clone();
}

void CJoystickButtonBase::SetShiftState(int shiftState) {
  if (shiftState < 0 || shiftState > highest_) return;
  const bool wasEnabled = enabled_;
  const bool wasPressed = pressed_;
  Enable(false);
  if (pressed_) Release(nullptr);  // only when the element was disabled already
  shiftState_ = shiftState;
  if (wasPressed) Press(nullptr);
  Enable(wasEnabled);
}

bool CJoystickButtonBase::SetShiftCount(int highest) {
  if (highest < 0 || highest == highest_) return false;
  const bool wasEnabled = enabled_;
  Enable(false);
  // The actions of the slots that remain move over (the element is disabled, so none of
  // them runs except an idle-released toggle, which keeps running as before).
  ResizeList(pressList_, highest);
  ResizeList(releaseList_, highest);
  highest_ = highest;
  Enable(wasEnabled);
  return true;
}

void CJoystickButtonBase::SetShiftNumber(int number) {
  ShiftActionList(number, pressList_);
  ShiftActionList(number, releaseList_);
  shiftNumber_ = number;
}

int CJoystickButtonBase::GetShiftNumber() const { return shiftNumber_; }

void CJoystickButtonBase::ShiftActionList(int newShiftNumber, ActionList& list) {
  if (list.empty()) return;
  const int last = static_cast<int>(list.size()) - 1;
  if (shiftNumber_ == 0 && newShiftNumber != 0) {
    // The element's own actions move up one slot: slot 0 is the shift button itself.
    RemoveActionAt(last, list);
    for (int i = last; i >= 1; --i) list[i] = std::move(list[i - 1]);
    list[0].reset();
  } else if (shiftNumber_ > 0 && newShiftNumber == 0) {
    RemoveActionAt(0, list);
    for (int i = 0; i < last; ++i) list[i] = std::move(list[i + 1]);
    list[last].reset();
  }
}

void CJoystickButtonBase::Enable(bool enabled) {
  if (!enabled && enabled_) {
    pressed_ = false;
    for (auto& action : pressList_) {
      if (action && action->IsActive()) action->Release(nullptr);
    }
  }
  enabled_ = enabled;
}

void CJoystickButtonBase::StopAllActions() {
  for (auto& action : pressList_) {
    if (action) StopActionCompletely(*action);
  }
  for (auto& action : releaseList_) {
    if (action) StopActionCompletely(*action);
  }
  pressed_ = false;
}

void CJoystickButtonBase::Press(CMouseSpeedData* speed) {
  pressed_ = true;
  if (shiftNumber_ > 0) {
    if (shiftState_ == 0) {
      // A shift key: it changes the controller's shift state and performs no action.
      if (owner_ != nullptr) owner_->ShiftButtonPressed(shiftNumber_);
      return;
    }
    if (shiftState_ == shiftNumber_) return;
    // Pressed while another shift button is in force: an ordinary button.
  }
  if (CAction* action = SelectFrom(pressList_, shiftState_)) action->Press(speed);
}

void CJoystickButtonBase::Release(CMouseSpeedData* speed) {
  if (shiftNumber_ > 0 && shiftState_ == shiftNumber_) {
    if (owner_ != nullptr) owner_->ShiftButtonReleased(shiftNumber_);
    pressed_ = false;
    return;
  }
  if (CAction* action = SelectFrom(pressList_, shiftState_)) action->Release(speed);
  if (CAction* action = SelectFrom(releaseList_, shiftState_)) action->Press(speed);
  pressed_ = false;
}
