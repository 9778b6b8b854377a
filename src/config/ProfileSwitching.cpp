// Automatic profile switching: the window rules of the configuration against the title of the
// window that has just become active.
#include <string_view>

#include "actions/TextRules.h"
#include "config/TandrelConfiguration.h"
#include "engine/Joystick.h"
#include "platform/Platform.h"

void CTandrelConfiguration::SwitchProfileForWindow(const char* title) {
  seam::ScopedFindings findings;  // a rule's file that cannot be opened, shown after the lock
  {
    std::lock_guard lock(lock_);
    activeTitle_ = title != nullptr ? title : "";
    SwitchProfilesLocked(*activeTitle_);
  }
  seam::ShowFindings(findings.Take());
}

void CTandrelConfiguration::SwitchProfilesLocked(std::string_view text) {
  for (const config::SwitchEntry& entry : switchEntries_) {
    bool matched = false;
    bool done = false;
    for (const config::SwitchRule& rule : entry.rules) {
      // Exact, case-sensitive search; an empty window text matches every title.
      if (text.find(rule.window) == std::string_view::npos) continue;
      matched = true;
      if (SameProfile(entry.id, rule.fileName)) {
        done = true;  // already in force: later rules are not tried
        break;
      }
      const SwitchResult result = SwitchTo(entry.id, rule.fileName);
      if (result == SwitchResult::LoadFailed) return;  // ends the whole pass
      if (result == SwitchResult::Switched) {
        done = true;
        break;
      }
      // No device answered: the next rule is tried.
    }
    if (done || matched) continue;
    // No rule matched: the default profile comes back.
    if (SameProfile(entry.id, entry.defaultFile)) continue;
    if (SwitchTo(entry.id, entry.defaultFile) == SwitchResult::LoadFailed) return;
  }
}

bool CTandrelConfiguration::SameProfile(int id, const std::string& fileName) const {
  const CJoystick* controller = controllers_[static_cast<std::size_t>(id)].get();
  return controller != nullptr &&
         actions::EqualsIgnoringCase(controller->GetProfilePath(), fileName);
}

CTandrelConfiguration::SwitchResult CTandrelConfiguration::SwitchTo(int id,
                                                                    const std::string& fileName) {
  auto controller = OpenController(id);
  if (!controller) return SwitchResult::NoDevice;
  // Quiet: no message of the profile reader, a profile made for another controller accepted.
  if (!controller->LoadProfile(fileName.c_str(), false)) return SwitchResult::LoadFailed;
  // The new object polls already; the old one goes first, releasing what it held and
  // waiting for a poll in flight, then the new one takes the slot.
  Seat(id, std::move(controller));
  Notify(id, fileName);
  return SwitchResult::Switched;
}
