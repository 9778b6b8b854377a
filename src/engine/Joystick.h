// One game controller, addressed by its platform ID (0..15): its input elements built from
// the device's capabilities, its polling timer, and the controller-wide shift state.
//
// Element numbers: with a POV hat, 1..4 are the hat directions forward, right, backward, left
// and button k is element k + 4; without one, button k is element k. Axes have no numbers.
//
// Locks. A poll must never meet elements that are being changed or deleted, whichever thread
// changes them (the main thread, or the timer thread inside the configuration's hot-plug tick):
// - elementsLock_ guards the element lists and everything the poll reads or writes: the
//   device state and capabilities, the ID, the shift-button count and shift state, the polling
//   delay, the timer identifier, the profile path, the hold-back flag and what the live state
//   was last given. The poll holds it for its whole length, and every change of the elements
//   holds it too (reading a profile into them, activation and deactivation, holding back,
//   removal, opening). A poll therefore runs wholly before or wholly after a
//   change, and a poll that follows a deactivation finds the timer identifier 0 and returns.
// - loadLock_ (the load event) serialises the operations on the controller as a whole: Open,
//   LoadProfile, SetActive, RemoveAllElements and destruction; a destruction waits for a load
//   in progress.
// Order: loadLock_, then elementsLock_, then an action's run lock or the action library's lock.
// The polling timer is stopped (StopTimer, which from another thread waits for the poll in
// flight) only while elementsLock_ is free, so the poll it waits for can finish. No message box
// is ever open under elementsLock_: the profile reader reads without it (asking its identity
// question there), the sections it returns are applied under it, and the messages collected
// meanwhile are shown after it is released.
// The poll never takes loadLock_ nor the library's lock.
//
// No stuck input: deactivating, removing or destroying the elements ends every action they
// run, a running toggle included.
//
// Live state: every poll that reads something new publishes the reading with the shift state
// into live_ (and the slot's record it was given, PublishTo), under elementsLock_ like the rest
// of the poll's work (so do a hold-back, which drops the shift state, every new profile
// generation and ReadIdle); a poll that reads what the previous one read publishes nothing,
// since the record already holds it. Readers on other threads copy it without a lock
// (LiveStateChannel.h).
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/JoystickAxis.h"
#include "engine/JoystickButtonBase.h"
#include "engine/JoystickLiveState.h"
#include "engine/LiveStateChannel.h"
#include "engine/ShiftButtonOwner.h"
#include "platform/Types.h"
#include "timer/TimerUser.h"

class CXMLNode;
class CProfileMessages;
struct ProfileContents;
struct ProfileTarget;

// The platform's simple position query for the ID succeeds.
bool IsJoystickPresent(int id);

class CJoystick : public CTimerUser, public CShiftButtonOwner {
 public:
  static constexpr int kDefaultPollingDelay = 30;

  CJoystick();
  // Waits for a load in progress, then stops polling and deletes every element (ending every
  // action they run).
  ~CJoystick() override;

  // One poll, on the timer thread.
  void OnTimer() override;
  // Reads a profile file into the elements and starts polling; see ProfileReader.h. The same
  // path as the previous request (without regard to case) returns true at once. A quiet load
  // (interactive false) shows none of the profile reader's messages.
  virtual bool LoadProfile(const char* path, bool interactive);
  // The polling timer runs.
  virtual bool IsActive() const;
  // Stops polling, ends every action and deletes every element. The shift-button count and
  // shift state stay.
  virtual void RemoveAllElements();

  // Called by the elements, inside a poll (under elementsLock_).
  void ShiftButtonReleased(int number) override;
  void ShiftButtonPressed(int number) override;

  // Binds the object to a device and builds its elements; false when there is no device at
  // the ID or its capabilities cannot be read.
  bool Open(int id);
  // Enables every element and starts polling, or disables them, ends every action they run,
  // drops the shift state and stops polling.
  void SetActive(bool active);
  // Takes effect at the next start of polling; periods below 1 ms count as 1 ms.
  void SetPollingDelay(int ms);
  int GetPollingDelay() const;

  std::string GetDeviceName() const;
  std::string GetProfilePath() const;
  int GetId() const;
  bool HasPov() const;
  seam::JoystickCaps GetCaps() const;
  int GetElementCount() const;
  int GetAxisCount() const;
  int GetShiftButtonCount() const;
  int GetShiftState() const;

  // The latest reading with the shift state, copied without a lock; none before the first
  // reading of the opened device. While the controller polls this is what its last poll read.
  std::optional<JoystickLiveState> LiveState() const { return live_.Load(); }
  // While the controller does not poll (no profile loaded, deactivated, loading), reads the
  // device and publishes the reading, unless a load holds the element lock at that moment; a
  // polling controller is left alone. For a window that shows an idle controller.
  void ReadIdle();
  // Publishes from now on into `record` too (null: no longer), starting with what live_ holds.
  // The caller makes sure no other writer uses `record` meanwhile.
  void PublishTo(LiveStateRecord* record);
  // The elements, the axis settings and the profile that the live state belongs to (compare
  // the generations); under the element lock, so once per profile load rather than per frame.
  JoystickLiveLayout LiveLayout() const;

  // Holding the actions back while an input is picked by pressing it. HoldBack(true) disables
  // every element, which ends everything they run (each key that is down goes up once, a
  // running toggle ends too) and drops the shift state; nothing fires while held back, but the
  // controller goes on polling and publishing its live state. HoldBack(false) enables the
  // elements again if the controller is active; an input held in the last reading counts as up
  // until it has been released (AwaitRelease), so the input just picked does not fire and
  // nothing can be left pressed, while every other input counts from the next poll on. Loading a
  // profile or (de)activating keeps the hold-back: the elements stay disabled. It lasts until
  // HoldBack(false) or the object's end.
  void HoldBack(bool held);
  bool IsHeldBack() const;

  // The elements themselves. The pointers stay valid until the elements are removed, and may
  // be used only while no other thread polls or changes this controller (tests on virtual
  // time).
  // The element with that number (1..GetElementCount()), or null.
  CJoystickButtonBase* GetButton(int number) const;
  // The axis at that position of the axis list (X, Y, then Z, R, U, V as present), or null.
  CJoystickAxis* GetAxis(int index) const;
  // The axis of that name (without regard to case), or null.
  CJoystickAxis* FindAxis(std::string_view name) const;

 private:
  // These need elementsLock_ held.
  // Makes element `number` the next shift button; numbers outside 1..element count, elements
  // that are shift buttons already and calls once every element is one are ignored.
  void AddShiftButtonLocked(int number);
  ProfileTarget ProfileTargetLocked() const;
  // Fills the elements from a profile's sections; false when an axis error ends the load (the
  // elements then keep what was applied up to that point).
  bool ApplyProfileLocked(const ProfileContents& contents, CProfileMessages& messages);
  // Reads the "Actions" and "ReleaseActions" of a "Button" or POV "Direction" element into
  // element `number`.
  void LoadElementActionsLocked(int number, const CXMLNode* element, CProfileMessages& messages);
  void LoadActionListLocked(int number, const CXMLNode* list, CProfileMessages& messages,
                            bool releaseList);
  CJoystickAxis* FindAxisLocked(std::string_view name) const;
  void ResetShiftStateLocked();
  void DisableElementsLocked();
  void PublishLocked();
  void StoreLiveLocked(const std::optional<JoystickLiveState>& live);
  void NewProfileGenerationLocked();

  // These need loadLock_ held (and elementsLock_ free).
  void SetActiveUnderLoadLock(bool active);
  void RemoveAllElementsUnderLoadLock();

  // See the top of the file.
  std::mutex loadLock_;
  mutable std::mutex elementsLock_;

  // Guarded by elementsLock_.
  std::vector<std::unique_ptr<CJoystickButtonBase>> buttons_;  // POV directions, then buttons
  std::vector<std::unique_ptr<CJoystickAxis>> axes_;           // X, Y, then Z, R, U, V
  seam::JoystickState state_;
  seam::JoystickState lastPolled_;  // what the last full poll handed to the elements
  // Set by everything that may change the elements outside a poll (and by a poll that changed
  // the shift state): the next poll then runs in full even if the inputs did not change.
  mutable bool elementsTouched_ = true;
  seam::JoystickCaps caps_;
  int shiftCount_ = 0;
  int shiftState_ = 0;
  int id_ = -1;
  int pollingDelay_ = kDefaultPollingDelay;
  unsigned timer_ = 0;
  std::string profilePath_;
  bool profileRequested_ = false;  // a load was requested, so profilePath_ names a file
  bool heldBack_ = false;
  // What live_ holds: the last reading (by a poll, or by ReadIdle), and the generation of the
  // elements and profile, unique in the process.
  seam::JoystickState liveReading_;
  bool haveReading_ = false;
  std::uint32_t profileGeneration_ = 0;

  LiveStateRecord* slotRecord_ = nullptr;  // see PublishTo

  // Written under elementsLock_, read by anyone.
  LiveStateRecord live_;
  std::atomic<bool> polling_{false};  // timer_ != 0
};
