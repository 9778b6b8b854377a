#include "engine/Joystick.h"

#include <cstring>
#include <string>
#include <utility>

#include "actions/TextRules.h"
#include "engine/JoystickButton.h"
#include "engine/JoystickPOVButton.h"
#include "engine/JoystickSplitAxis.h"
#include "engine/LibraryActions.h"
#include "engine/ProfileMessages.h"
#include "engine/ProfileReader.h"
#include "platform/Platform.h"
#include "xml/XMLLoad.h"
#include "xml/XMLNode.h"

namespace {

constexpr int kMaxButtons = 32;
// The shift state settles in at most two rounds (see OnTimer); the bound only guards the loop.
constexpr int kMaxShiftRounds = 8;

// Generations are unique in the process, so a reader that finds another controller object in
// the same slot sees a new one too.
std::atomic<std::uint32_t> lastGeneration{0};

}  // namespace

bool IsJoystickPresent(int id) { return seam::Joysticks().IsPresent(id); }

CJoystick::CJoystick() = default;

CJoystick::~CJoystick() {
  // No poll starts from here on, and one in flight has ended (it needs elementsLock_ only).
  EndTicks();
  std::lock_guard load(loadLock_);
  RemoveAllElementsUnderLoadLock();
}

bool CJoystick::Open(int id) {
  std::lock_guard load(loadLock_);
  RemoveAllElementsUnderLoadLock();
  seam::JoystickCaps caps;
  if (!IsJoystickPresent(id) || !seam::Joysticks().GetCaps(id, caps)) return false;
  caps.productName[seam::kProductNameSize - 1] = '\0';

  std::lock_guard elements(elementsLock_);
  elementsTouched_ = true;
  caps_ = caps;
  id_ = id;
  state_ = seam::JoystickState{};
  // The new elements have no shift buttons yet.
  shiftCount_ = 0;
  shiftState_ = 0;

  struct AxisLayout {
    std::uint32_t flag;  // 0: always present
    std::uint32_t min, max;
    const char* name;
  };
  const AxisLayout layouts[] = {
      {0, caps.xMin, caps.xMax, "X Axis"},
      {0, caps.yMin, caps.yMax, "Y Axis"},
      {seam::kCapsHasZ, caps.zMin, caps.zMax, "Z Axis"},
      {seam::kCapsHasR, caps.rMin, caps.rMax, "R Axis"},
      {seam::kCapsHasU, caps.uMin, caps.uMax, "U Axis"},
      {seam::kCapsHasV, caps.vMin, caps.vMax, "V Axis"},
  };
  for (int index = 0; index < 6; ++index) {
    const AxisLayout& declared = layouts[index];
    if (declared.flag != 0 && (caps.caps & declared.flag) == 0) continue;
    const CJoystickAxisProperties properties(index, declared.min, declared.max, 1000);
    // A pad's triggers share Z in the layout, but each is an input of its own.
    if (index == 2 && caps.layout == seam::ControllerLayout::Pad) {
      axes_.push_back(std::make_unique<CJoystickSplitAxis>(this, properties, declared.name));
    } else {
      axes_.push_back(std::make_unique<CJoystickAxis>(this, properties, declared.name));
    }
  }
  if ((caps.caps & seam::kCapsHasPov) != 0) {
    for (int angle : {0, 90, 180, 270}) {
      buttons_.push_back(std::make_unique<CJoystickPOVButton>(this, angle));
    }
  }
  const int buttonCount =
      caps.numButtons < kMaxButtons ? static_cast<int>(caps.numButtons) : kMaxButtons;
  for (int k = 1; k <= buttonCount; ++k) {
    const std::string name = "Button " + std::to_string(k);
    buttons_.push_back(std::make_unique<CJoystickButton>(this, k, name.c_str()));
  }
  if (heldBack_) DisableElementsLocked();
  haveReading_ = false;
  StoreLiveLocked(std::nullopt);
  NewProfileGenerationLocked();
  return true;
}

void CJoystick::SetActive(bool active) {
  std::lock_guard load(loadLock_);
  SetActiveUnderLoadLock(active);
}

void CJoystick::SetActiveUnderLoadLock(bool active) {
  if (active) {
    unsigned delay;
    {
      std::lock_guard elements(elementsLock_);
      elementsTouched_ = true;
      // Held back, they stay disabled (the profile reader enables the axes it loads).
      for (auto& element : buttons_) element->Enable(!heldBack_);
      for (auto& axis : axes_) axis->Enable(!heldBack_);
      if (timer_ != 0) return;
      delay = static_cast<unsigned>(pollingDelay_);
    }
    // Outside the lock: the timer service is never called while elementsLock_ is held.
    const unsigned timer = StartTimer(delay, this);
    std::lock_guard elements(elementsLock_);
    timer_ = timer;
    polling_ = true;
    return;
  }
  unsigned timer;
  {
    std::lock_guard elements(elementsLock_);
    elementsTouched_ = true;
    DisableElementsLocked();
    // Nothing is held any more, so no shift button is in force either; the axes start again
    // from the centre, so a stick still deflected presses again when polling resumes.
    ResetShiftStateLocked();
    timer = timer_;
    timer_ = 0;
    polling_ = false;
  }
  StopTimer(timer);
}

void CJoystick::DisableElementsLocked() {
  for (auto& element : buttons_) {
    element->Enable(false);
    element->StopAllActions();
  }
  for (auto& axis : axes_) {
    axis->Enable(false);
    axis->StopAllActions();
  }
}

void CJoystick::HoldBack(bool held) {
  // The element lock alone: every enabling of the elements reads heldBack_ under it, so a load
  // in progress keeps them as the hold-back wants them, and this never waits for a load's
  // message box.
  std::lock_guard elements(elementsLock_);
  if (held == heldBack_) return;
  heldBack_ = held;
  elementsTouched_ = true;
  if (held) {
    DisableElementsLocked();
    ResetShiftStateLocked();
    PublishLocked();
    return;
  }
  if (timer_ == 0) return;  // inactive: enabled by the next activation
  // Only what the last reading holds (the input just picked, anything held meanwhile) waits for
  // its release; everything else counts from the next poll, however soon it is pressed.
  for (auto& element : buttons_) {
    element->Enable(true);
    if (element->IsHeldIn(state_)) element->AwaitRelease();
  }
  for (auto& axis : axes_) {
    axis->Enable(true);
    if (axis->IsHeldIn(state_)) axis->AwaitRelease();
  }
}

bool CJoystick::IsHeldBack() const {
  std::lock_guard elements(elementsLock_);
  return heldBack_;
}

void CJoystick::NewProfileGenerationLocked() {
  profileGeneration_ = ++lastGeneration;
  PublishLocked();
}

void CJoystick::PublishLocked() {
  if (!haveReading_) return;
  JoystickLiveState live;
  live.buttons = liveReading_.buttons;
  live.axes = {liveReading_.xPos, liveReading_.yPos, liveReading_.zPos,
               liveReading_.rPos, liveReading_.uPos, liveReading_.vPos};
  live.pov = liveReading_.pov;
  live.triggers = {liveReading_.leftTrigger, liveReading_.rightTrigger};
  live.shiftState = shiftState_;
  live.profileGeneration = profileGeneration_;
  StoreLiveLocked(live);
}

void CJoystick::StoreLiveLocked(const std::optional<JoystickLiveState>& live) {
  live_.Store(live);
  if (slotRecord_ != nullptr) slotRecord_->Store(live);
}

void CJoystick::PublishTo(LiveStateRecord* record) {
  std::lock_guard elements(elementsLock_);
  slotRecord_ = record;
  if (record != nullptr) record->Store(live_.Load());
}

void CJoystick::ReadIdle() {
  if (polling_.load()) return;
  // No poll reads the device: this call does, unless the elements are busy right now.
  std::unique_lock elements(elementsLock_, std::try_to_lock);
  if (elements.owns_lock() && timer_ == 0 && id_ >= 0 &&
      seam::Joysticks().GetState(id_, liveReading_)) {
    haveReading_ = true;
    PublishLocked();
  }
}

JoystickLiveLayout CJoystick::LiveLayout() const {
  std::lock_guard elements(elementsLock_);
  JoystickLiveLayout layout;
  layout.deviceName.assign(caps_.productName, strnlen(caps_.productName, seam::kProductNameSize));
  layout.profilePath = profilePath_;
  layout.profileGeneration = profileGeneration_;
  layout.hasPov = (caps_.caps & seam::kCapsHasPov) != 0;
  const int hatElements = layout.hasPov && !buttons_.empty() ? 4 : 0;
  layout.buttonCount = static_cast<int>(buttons_.size()) - hatElements;
  layout.shiftButtonCount = shiftCount_;
  layout.controllerLayout = caps_.layout;
  for (const auto& axis : axes_) {
    const CJoystickAxisProperties& properties = axis->Properties();
    LiveAxisLayout& entry = layout.axes.emplace_back();
    entry.name = axis->GetName();
    entry.index = properties.GetAxisIndex();
    entry.min = properties.GetMin();
    entry.max = properties.GetMax();
    entry.low = properties.Low();
    entry.high = properties.High();
    entry.threshold = properties.GetThreshold();
    entry.vertical = axis->IsVertical();
    entry.swapped = axis->IsSwapped();
    entry.split = dynamic_cast<const CJoystickSplitAxis*>(axis.get()) != nullptr;
    for (int state = 0; state <= axis->GetHighestShiftState(); ++state) {
      entry.towardsMinPercents.push_back(axis->PercentsInForce(true, state));
      entry.towardsMaxPercents.push_back(axis->PercentsInForce(false, state));
    }
  }
  return layout;
}

void CJoystick::ResetShiftStateLocked() {
  shiftState_ = 0;
  for (auto& element : buttons_) element->SetShiftState(0);
  for (auto& axis : axes_) axis->SetShiftState(0);
}

bool CJoystick::IsActive() const {
  std::lock_guard elements(elementsLock_);
  return timer_ != 0;
}

void CJoystick::RemoveAllElements() {
  std::lock_guard load(loadLock_);
  RemoveAllElementsUnderLoadLock();
}

void CJoystick::RemoveAllElementsUnderLoadLock() {
  unsigned timer;
  {
    std::lock_guard elements(elementsLock_);
    elementsTouched_ = true;
    timer = timer_;
    timer_ = 0;
    polling_ = false;
    for (auto& element : buttons_) {
      element->Enable(false);
      element->StopAllActions();
      element.reset();
    }
    buttons_.clear();
    for (auto& axis : axes_) {
      axis->Enable(false);
      axis->StopAllActions();
      axis.reset();
    }
    axes_.clear();
  }
  StopTimer(timer);
}

namespace {
// The fields the elements read.
bool SameInputs(const seam::JoystickState& a, const seam::JoystickState& b) {
  return a.xPos == b.xPos && a.yPos == b.yPos && a.zPos == b.zPos && a.rPos == b.rPos &&
         a.uPos == b.uPos && a.vPos == b.vPos && a.buttons == b.buttons && a.pov == b.pov &&
         a.leftTrigger == b.leftTrigger && a.rightTrigger == b.rightTrigger;
}
}  // namespace

void CJoystick::OnTimer() {
  std::lock_guard elements(elementsLock_);
  if (timer_ == 0) return;
  seam::Joysticks().GetState(id_, state_);  // a failed read keeps the last state
  // Every element reacts only to a change of what it reads since it last read it, so a poll
  // that reads what the previous one read, with the elements as that poll left them, would
  // do nothing (an axis with a negative sensitivity evaluates every poll, so it never skips).
  if (!elementsTouched_ && SameInputs(state_, lastPolled_)) return;
  lastPolled_ = state_;
  elementsTouched_ = false;
  for (auto& axis : axes_) {
    axis->Update(state_);
    if (axis->Properties().GetSensitivity() < 0) elementsTouched_ = true;
  }
  const int before = shiftState_;
  for (auto& element : buttons_) element->Update(state_);
  if (shiftState_ != before) {
    elementsTouched_ = true;  // the axes start again from the centre
    // A round re-presses held elements under the new state; only in a round for state 0 can a
    // held shift button take over (and the next round then settles), so this ends at once.
    int settled;
    int rounds = 0;
    do {
      settled = shiftState_;
      for (auto& element : buttons_) element->SetShiftState(settled);
    } while (shiftState_ != settled && ++rounds < kMaxShiftRounds);
    for (auto& axis : axes_) axis->SetShiftState(shiftState_);
  }
  liveReading_ = state_;
  haveReading_ = true;
  PublishLocked();
}

void CJoystick::ShiftButtonPressed(int number) { shiftState_ = number; }

void CJoystick::ShiftButtonReleased(int) { shiftState_ = 0; }

void CJoystick::SetPollingDelay(int ms) {
  std::lock_guard elements(elementsLock_);
  pollingDelay_ = ms < 1 ? 1 : ms;
}

int CJoystick::GetPollingDelay() const {
  std::lock_guard elements(elementsLock_);
  return pollingDelay_;
}

std::string CJoystick::GetDeviceName() const {
  std::lock_guard elements(elementsLock_);
  return std::string(caps_.productName, strnlen(caps_.productName, seam::kProductNameSize));
}

std::string CJoystick::GetProfilePath() const {
  std::lock_guard elements(elementsLock_);
  return profilePath_;
}

int CJoystick::GetId() const {
  std::lock_guard elements(elementsLock_);
  return id_;
}

bool CJoystick::HasPov() const {
  std::lock_guard elements(elementsLock_);
  return (caps_.caps & seam::kCapsHasPov) != 0;
}

seam::JoystickCaps CJoystick::GetCaps() const {
  std::lock_guard elements(elementsLock_);
  return caps_;
}

int CJoystick::GetElementCount() const {
  std::lock_guard elements(elementsLock_);
  return static_cast<int>(buttons_.size());
}

int CJoystick::GetAxisCount() const {
  std::lock_guard elements(elementsLock_);
  return static_cast<int>(axes_.size());
}

int CJoystick::GetShiftButtonCount() const {
  std::lock_guard elements(elementsLock_);
  return shiftCount_;
}

int CJoystick::GetShiftState() const {
  std::lock_guard elements(elementsLock_);
  return shiftState_;
}

CJoystickButtonBase* CJoystick::GetButton(int number) const {
  std::lock_guard elements(elementsLock_);
  elementsTouched_ = true;  // the caller may change it
  if (number < 1 || number > static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[number - 1].get();
}

CJoystickAxis* CJoystick::GetAxis(int index) const {
  std::lock_guard elements(elementsLock_);
  elementsTouched_ = true;  // the caller may change it
  if (index < 0 || index >= static_cast<int>(axes_.size())) return nullptr;
  return axes_[index].get();
}

CJoystickAxis* CJoystick::FindAxis(std::string_view name) const {
  std::lock_guard elements(elementsLock_);
  elementsTouched_ = true;  // the caller may change it
  return FindAxisLocked(name);
}

CJoystickAxis* CJoystick::FindAxisLocked(std::string_view name) const {
  for (const auto& axis : axes_) {
    if (actions::EqualsIgnoringCase(axis->GetName(), name)) return axis.get();
  }
  return nullptr;
}

void CJoystick::AddShiftButtonLocked(int number) {
  elementsTouched_ = true;
  const int count = static_cast<int>(buttons_.size());
  if (number < 1 || number > count) return;
  CJoystickButtonBase& element = *buttons_[number - 1];
  if (element.GetShiftNumber() != 0 || shiftCount_ == count) return;
  const int n = shiftCount_ + 1;
  for (auto& axis : axes_) axis->SetShiftCount(n);
  for (auto& other : buttons_) other->SetShiftCount(n);
  element.SetShiftNumber(n);
  shiftCount_ = n;
}

void CJoystick::LoadElementActionsLocked(int number, const CXMLNode* element,
                                         CProfileMessages& messages) {
  if (element == nullptr || number < 1 || number > static_cast<int>(buttons_.size())) return;
  LoadActionListLocked(number, element->FindChild("Actions", nullptr), messages, false);
  LoadActionListLocked(number, element->FindChild("ReleaseActions", nullptr), messages, true);
}

void CJoystick::LoadActionListLocked(int number, const CXMLNode* list, CProfileMessages& messages,
                                     bool releaseList) {
  elementsTouched_ = true;
  if (list == nullptr || number < 1 || number > static_cast<int>(buttons_.size())) return;
  CJoystickButtonBase& element = *buttons_[number - 1];
  for (const CXMLNode* entry = list->FindChild("Action", nullptr); entry != nullptr;
       entry = list->FindChild("Action", entry)) {
    const char* shift = actions::AttributeText(*entry, "number");
    if (shift == nullptr) continue;
    const int shiftState = actions::ReadDecimal(shift);
    if (shiftState < 0 || shiftState > shiftCount_) continue;
    const char* theme = actions::AttributeText(*entry, "Theme");
    const char* name = actions::AttributeText(*entry, "name");
    if (theme == nullptr || name == nullptr) continue;
    std::unique_ptr<CAction> action = CloneLibraryAction(theme, name);
    if (!action) {
      messages.MissingAction(name);
      continue;
    }
    element.StoreAction(shiftState, std::move(action), releaseList);
  }
}

bool CJoystick::LoadProfile(const char* path, bool interactive) {
  std::lock_guard load(loadLock_);
  const std::string requested = path != nullptr ? path : "";
  {
    std::lock_guard elements(elementsLock_);
    // The same file is never read twice in a row.
    if (profileRequested_ && actions::EqualsIgnoringCase(requested, profilePath_)) return true;
  }
  SetActiveUnderLoadLock(false);
  // An interactive load also reports a file that is not well formed, saying what and where.
  std::unique_ptr<CXMLNode> root =
      LoadXMLDocument(requested.c_str(),
                      interactive ? XMLReport::Everything : XMLReport::CannotOpen)
          .root;
  {
    std::lock_guard elements(elementsLock_);
    profilePath_ = requested;
    profileRequested_ = true;
    if (!root) NewProfileGenerationLocked();
  }
  if (!root) return false;  // reported by the XML reader
  CProfileMessages messages(interactive);
  ProfileTarget target;
  {
    std::lock_guard elements(elementsLock_);
    target = ProfileTargetLocked();
  }
  // Without the element lock: the identity question may wait for the user.
  const std::optional<ProfileContents> contents =
      CProfileReader(std::move(target), requested, interactive).Read(*root, messages);
  bool applied = false;
  {
    std::lock_guard elements(elementsLock_);
    applied = contents && ApplyProfileLocked(*contents, messages);
    NewProfileGenerationLocked();  // what the elements hold now, whether or not all of it
  }
  messages.ShowAll();
  if (!applied) return false;
  SetPollingDelay(contents->pollingDelay.value_or(kDefaultPollingDelay));
  root.reset();
  SetActiveUnderLoadLock(true);
  return true;
}

ProfileTarget CJoystick::ProfileTargetLocked() const {
  return {id_, std::string(caps_.productName, strnlen(caps_.productName, seam::kProductNameSize)),
          (caps_.caps & seam::kCapsHasPov) != 0, static_cast<int>(buttons_.size())};
}

bool CJoystick::ApplyProfileLocked(const ProfileContents& contents, CProfileMessages& messages) {
  elementsTouched_ = true;
  for (const int number : contents.shiftButtons) AddShiftButtonLocked(number);
  for (const ProfileContents::Axis& entry : contents.axes) {
    CJoystickAxis* axis = FindAxisLocked(entry.name);
    if (axis == nullptr) continue;  // an axis this controller does not have
    if (!axis->Load(*entry.element, messages)) return false;
  }
  for (const ProfileContents::ElementActions& entry : contents.elements) {
    if (!entry.finding.empty()) {
      messages.Error(entry.finding);
    } else {
      LoadElementActionsLocked(entry.number, entry.element, messages);
    }
  }
  return true;
}
