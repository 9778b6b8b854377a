// The Live View tab apart from its window: which controller it shows and lists, which one it
// holds back, and what it shows of it. The list holds every controller present, and the shown
// one stays listed ("NAME (unplugged)") once it is pulled out; the shown controller is held back
// (CTandrelConfiguration::HoldBack: its presses act on nothing) while the tab is shown unless
// the user lets it act, and no other, again after a reload (which ends every hold-back); its
// reading becomes a View only when the reading or its layout changed. The windows call it from
// their timer (src/ui/LiveViewDlg, src/qt/LiveViewPage). Main thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/JoystickLiveState.h"
#include "liveview/LiveView.h"

class CTandrelConfiguration;

namespace liveview {

class Follower {
 public:
  struct Entry {
    std::string name;
    int id = -1;
    bool operator==(const Entry&) const = default;
  };

  explicit Follower(CTandrelConfiguration& configuration) : configuration_(configuration) {}
  ~Follower();  // nothing stays held back
  Follower(const Follower&) = delete;
  Follower& operator=(const Follower&) = delete;

  // The list as the controllers present now.
  std::vector<Entry> Entries() const;
  // The entry of `entries` to select: the shown controller's, else the first; -1 for none.
  int ChosenIndex(const std::vector<Entry>& entries) const;
  // The list's choice (null: none); what was shown of another controller goes.
  void Choose(const Entry* entry);
  int ShownId() const { return controller_; }

  // Holds back the shown controller exactly while `tabShown` and not `letAct`.
  void HoldBack(bool tabShown, bool letAct);

  // Reads the shown controller (the device itself while the controller is idle); true when
  // what is shown changed (always with `always`).
  bool Refresh(bool always);
  const std::optional<View>& CurrentView() const { return view_; }
  // "Profile: NAME    Shift state: N", "The Joystick was unplugged." or empty.
  std::string Status() const;

 private:
  CTandrelConfiguration& configuration_;
  int controller_ = -1;  // the ID shown; -1: none
  std::string shownName_;
  int heldBack_ = -1;  // the ID held back; -1: none
  bool unplugged_ = false;
  std::optional<JoystickLiveLayout> layout_;
  std::optional<JoystickLiveState> reading_;  // what view_ was made from
  std::optional<View> view_;
};

}  // namespace liveview
