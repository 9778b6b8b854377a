// The base of every action: its identity (theme and name), its push type, and the small state
// machine that turns an input's press and release into the subclass's Start and Stop.
//
// Actions live in two roles. The action library holds templates, which are edited, written and
// cloned but never pressed. Inputs and combinations hold their own clones, and only clones are
// pressed, so all run-time state (active flag, toggle state, timer) is per clone.
//
// Threads. A clone is pressed and released by its owner (on the timer thread inside a
// controller's poll, or on the thread that resets or discards the owner's inputs), while its
// own timer ticks on the timer thread. The run lock of each action (runLock_) serialises Press,
// Release, ForceRelease and OnTimer of that action, and guards the active and toggle state and
// the timer identifier. It is held while the action sends its input, but never while the
// action waits for a timer to stop: a stopped timer is stopped after the lock is released (see
// DisarmTimer), because stopping from another thread waits for that timer's tick in flight,
// which may itself be waiting for the lock. A combination holds its own run lock while it
// presses its parts, so locks are taken from a combination towards its parts only.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "actions/MouseSpeedData.h"
#include "timer/TimerUser.h"

#include "xml/XMLNode.h"

// How a press and a release of the input drive the action.
enum class PushType : std::int32_t {
  Hold = 0,    // runs from press to release
  Hit = 1,     // starts and stops at the press
  Repeat = 2,  // runs from press to release, repeating by itself
  Toggle = 3,  // starts at the first press, stops at the second release
  None = 4,    // no push type: pressed like Hold; readers reject it
};

// "hold", "hit", "repeat" or "toggle" in any case; PushType::None for anything else.
PushType ParsePushType(const char* text);
// "Hold", "Hit", "Repeat" or "Toggle"; null for any other value.
const char* PushTypeName(PushType type);

class CAction : public CTimerUser {
 public:
  CAction(PushType type, const char* theme, const char* name);
  // Stops the timer (and waits for its tick in flight) before the action goes away. Concrete
  // actions end their effect first, in their own destructor (see EndBeforeDestruction).
  ~CAction() override;

  // A new idle object of the same class with the same identity and settings.
  virtual std::unique_ptr<CAction> Clone() const = 0;
  // Same name and theme (byte for byte) and same push type; subclasses add their settings.
  virtual bool IsEqual(const CAction* other) const;
  // A new element for the actions file, named ElementName() and written by WriteAttributes;
  // the caller owns it.
  std::unique_ptr<CXMLNode> CreateXMLNode() const;
  // The name of the element of this class ("VKAction").
  virtual const char* ElementName() const = 0;

  // The effect itself. Called only by Press, Release and ForceRelease (and a subclass's own
  // tick), with the run lock held; owners never call them directly.
  virtual void Start(CMouseSpeedData* speed) = 0;
  virtual void Stop(CMouseSpeedData* speed) = 0;
  virtual void SetActive() { active_.store(true); }
  virtual void ClearActive() { active_.store(false); }

  // Appends "theme", "name" and, for the four push types, "type".
  virtual void WriteAttributes(CXMLNode* element) const;

  const char* GetName() const { return name_.c_str(); }
  const char* GetTheme() const { return theme_.c_str(); }
  // For actions not yet in the library: the library indexes its templates by theme and name,
  // and a template is never renamed (a changed name makes a new action).
  void SetTheme(const char* theme) { theme_ = theme != nullptr ? theme : ""; }

  PushType GetPushType() const { return pushType_; }
  void SetPushType(PushType type) { pushType_ = type; }

  bool IsActive() const { return active_.load(); }
  void SetActiveState(bool active) { active_.store(active); }

  // The only entry points of inputs. Press starts the effect (Hit also ends it at once);
  // Release ends it, except for a Toggle action that was not pressed a second time.
  void Press(CMouseSpeedData* speed);
  void Release(CMouseSpeedData* speed);
  // Ends the effect whatever the push type, a running Toggle action included. Owners call it
  // when they discard their inputs, so that no key is left down.
  void ForceRelease(CMouseSpeedData* speed = nullptr);

  // Whether the action's own timer runs (not counting the parts of a combination).
  bool IsTimerRunning() const;

 protected:
  // Copies name, theme and push type; the copy is idle and has no timer.
  CAction(const CAction& other);

  // The action's periodic timer (at most one). ArmTimer, DisarmTimer and TimerArmed need the
  // run lock held.
  // Starts a timer unless one runs. A period of 0 or less starts none, as the system refuses it.
  void ArmTimer(int periodMs);
  // Forgets the timer; it is stopped as soon as the run lock is released, and until then its
  // ticks find no timer armed and must do nothing.
  void DisarmTimer();
  bool TimerArmed() const { return timerId_ != 0; }
  // Inside the action's own tick only: replaces the running timer by one with a new period.
  void RearmTimerInTick(int periodMs);

  // Held by OnTimer of subclasses around their tick.
  std::mutex& RunLock() const { return runLock_; }

  // Called first in the destructor of every concrete action, while its members still exist:
  // ends a running effect (so no key stays down), stops the timer, waits for a tick in flight
  // and lets no later tick in. Idempotent; never call it from the action's own tick.
  void EndBeforeDestruction();

 private:
  // Timers disarmed under the run lock, stopped after it is released.
  struct PendingStops {
    std::array<unsigned, 4> ids{};
    std::size_t count = 0;
  };

  void PressLocked(CMouseSpeedData* speed);
  void ReleaseLocked(CMouseSpeedData* speed);
  // Runs `locked` under the run lock, then stops the timers it disarmed once the lock is free.
  template <typename F>
  void RunLockedThenStopTimers(F&& locked);

  std::string name_;
  std::string theme_;
  PushType pushType_;
  std::atomic<bool> active_{false};

  mutable std::mutex runLock_;  // guards toggleArmed_, timerId_, pending_ (see the top)
  bool toggleArmed_ = false;
  unsigned timerId_ = 0;
  PendingStops pending_;
};

// The first steps shared by every reader of an action element: "Name" is required (else
// "There is a <class> with no name"), "Type" is optional and defaults to Hold (an unknown one
// gives "The <class> "<name>" has an unknown type: "<type>"."). Shows the message and returns
// nothing when the element is rejected.
struct ActionElementHeader {
  std::string className;
  std::string name;
  PushType type = PushType::Hold;
};
std::optional<ActionElementHeader> ReadActionHeader(const CXMLNode& element,
                                                    std::string_view className);
// A number of the element (`attribute` as the writer spells it; any case is read): its value,
// or `fallback` when the element has none. None, after the message "The <class> "<name>" has
// an invalid <attribute> value: "<text>"." (the text as the file writes it), when the number
// lies beyond the range of int: the program cannot hold it, and would write another one back.
std::optional<int> ReadActionNumber(const CXMLNode& element, const ActionElementHeader& header,
                                    const char* attribute, int fallback);
// The last step of every reader: the "theme" attribute, when present, becomes the theme.
void ApplyThemeAttribute(const CXMLNode& element, CAction& action);
