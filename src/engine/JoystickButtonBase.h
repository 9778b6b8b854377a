// Base of every input element of a controller: buttons, POV directions and axes. An element
// holds one press action and one release action per shift state (its own clones of library
// actions), remembers whether it is pressed, and acts as a shift button when it is given a
// shift number.
//
// Threads: an element has no lock of its own. Its controller calls it only while holding the
// controller's element lock (see Joystick.h): the poll on the timer thread, and every change
// from the thread that loads, deactivates or deletes the controller.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "engine/ActionStopping.h"
#include "platform/Types.h"

class CShiftButtonOwner;

class CJoystickButtonBase {
 public:
  // Initialised with the name.
  CJoystickButtonBase(CShiftButtonOwner* owner, const char* name);
  // Not yet named: a later Init gives the name.
  explicit CJoystickButtonBase(CShiftButtonOwner* owner);
  // Releases a pressed element and stops every action it holds before deleting them.
  virtual ~CJoystickButtonBase();
  CJoystickButtonBase(const CJoystickButtonBase&) = delete;
  CJoystickButtonBase& operator=(const CJoystickButtonBase&) = delete;

  virtual void DeleteAllActions();
  virtual void RemoveAction(int shiftState, bool releaseList);
  // One poll record: detects a press or a release.
  virtual void Update(const seam::JoystickState& state) = 0;
  // Stores a clone of `action` (push type Hit in the release list); the caller keeps its own.
  virtual void SetAction(int shiftState, const CAction& action, bool releaseList);
  // A clone of the slot's action, or null.
  virtual std::unique_ptr<CAction> GetAction(int shiftState, bool releaseList) const;
  // Switches the shift state in force; a held element moves from the old state's action to
  // the new one's at once.
  virtual void SetShiftState(int shiftState);
  // Resizes both action lists to highest + 1 slots; false when nothing changed.
  virtual bool SetShiftCount(int highest);
  virtual void SetShiftNumber(int number);
  virtual int GetShiftNumber() const;
  // Disabling releases every running press action and clears pressed.
  virtual void Enable(bool enabled);
  virtual void Press(CMouseSpeedData* speed);
  virtual void Release(CMouseSpeedData* speed);
  // One-time initialisation with a name; false (nothing changed) when already initialised.
  virtual bool Init(const char* name);
  // Stops every action the element holds, toggles included, and clears pressed. Enable(false)
  // keeps a running toggle running, as a reset input should; this is for tear-down.
  virtual void StopAllActions();
  // The input counts as up until a poll sees it up: one still held now (a button down, the hat
  // in this direction's window, an axis beyond its dead zone) presses nothing until it has been
  // released and pressed again. For elements enabled again after their actions were held back,
  // when IsHeldIn their last reading.
  virtual void AwaitRelease() { awaitingRelease_ = true; }
  // Whether the input is held (pressed, deflected) in this reading.
  virtual bool IsHeldIn(const seam::JoystickState& state) const = 0;

  // Stores an action the caller gives away (the clone that SetAction would make).
  void StoreAction(int shiftState, std::unique_ptr<CAction> action, bool releaseList);

  const char* GetName() const { return name_.c_str(); }
  bool IsEnabled() const { return enabled_; }
  bool IsPressed() const { return pressed_; }
  int GetShiftState() const { return shiftState_; }
  int GetHighestShiftState() const { return highest_; }
  // The slot's action itself (not a copy), or null; for inspection.
  CAction* PeekAction(int shiftState, bool releaseList) const;

 protected:
  using ActionList = std::vector<std::unique_ptr<CAction>>;

  virtual void DeleteActionList(ActionList& list);
  virtual void RemoveActionAt(int shiftState, ActionList& list);
  virtual std::unique_ptr<CAction> CopyActionAt(int shiftState, const ActionList& list) const;
  virtual void ShiftActionList(int newShiftNumber, ActionList& list);

  // The action in force from a list: the current shift state's slot, or else the nearest
  // lower one that is not empty; null when there is none.
  template <typename List>
  static auto* SelectFrom(const List& list, int shiftState) {
    int slot =
        shiftState < static_cast<int>(list.size()) ? shiftState : static_cast<int>(list.size()) - 1;
    for (; slot >= 0; --slot) {
      if (list[slot]) return list[slot].get();
    }
    return static_cast<decltype(list[0].get())>(nullptr);
  }
  bool InRange(int shiftState) const { return shiftState >= 0 && shiftState <= highest_; }
  // Resizes one list to highest + 1 slots, keeping the slots that remain and stopping and
  // deleting the actions of the slots that go.
  template <typename List>
  static void ResizeList(List& list, int highest);

  CShiftButtonOwner* owner_;
  std::string name_;
  bool pressed_ = false;
  ActionList pressList_;    // "Actions"
  ActionList releaseList_;  // "ReleaseActions": every action here has push type Hit
  int shiftState_ = 0;
  int highest_ = -1;
  int shiftNumber_ = 0;
  bool initialised_ = false;
  bool enabled_ = false;
  bool awaitingRelease_ = false;  // see AwaitRelease; the hat and the axes read it
};

template <typename List>
void CJoystickButtonBase::ResizeList(List& list, int highest) {
  const std::size_t size = static_cast<std::size_t>(highest) + 1;
  for (std::size_t i = size; i < list.size(); ++i) {
    if (list[i]) StopActionCompletely(*list[i]);
  }
  list.resize(size);
}
