#include "liveview/Follower.h"

#include "config/TandrelConfiguration.h"

namespace liveview {

Follower::~Follower() { HoldBack(false, false); }

std::vector<Follower::Entry> Follower::Entries() const {
  std::vector<Entry> entries;
  bool shownPresent = false;
  for (const PresentController& controller : configuration_.PresentControllers()) {
    entries.push_back({controller.name, controller.id});
    shownPresent = shownPresent || controller.id == controller_;
  }
  if (controller_ >= 0 && !shownPresent)
    entries.push_back({shownName_ + " (unplugged)", controller_});
  return entries;
}

int Follower::ChosenIndex(const std::vector<Entry>& entries) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].id == controller_) return static_cast<int>(i);
  }
  return entries.empty() ? -1 : 0;
}

void Follower::Choose(const Entry* entry) {
  controller_ = entry != nullptr ? entry->id : -1;
  shownName_ = entry != nullptr ? entry->name : std::string();
  layout_.reset();
}

void Follower::HoldBack(bool tabShown, bool letAct) {
  const int wanted = tabShown && !letAct ? controller_ : -1;
  if (heldBack_ >= 0 && heldBack_ != wanted) configuration_.HoldBack(heldBack_, false);
  if (wanted >= 0 && !configuration_.IsHeldBack(wanted)) configuration_.HoldBack(wanted, true);
  heldBack_ = wanted;
}

bool Follower::Refresh(bool always) {
  std::optional<JoystickLiveState> reading;
  if (controller_ >= 0) {
    configuration_.ReadIdle(controller_);  // one that polls publishes by itself
    reading = configuration_.LiveState(controller_);
  }
  if (reading && (!layout_ || layout_->profileGeneration != reading->profileGeneration)) {
    layout_ = configuration_.LiveLayout(controller_);
    always = true;
  }
  if (!always && reading == reading_) return false;
  reading_ = reading;
  view_.reset();
  if (reading && layout_) view_ = MakeView(*layout_, *reading);
  unplugged_ = controller_ >= 0 && !reading;
  return true;
}

std::string Follower::Status() const {
  if (unplugged_) return "The Joystick was unplugged.";
  if (!view_) return {};
  return "Profile: " + (view_->profile.empty() ? "(none)" : view_->profile) +
         "    Shift state: " + std::to_string(view_->shiftState);
}

}  // namespace liveview
