#include "actions/Action.h"

#include "actions/TextRules.h"
#include "xml/XMLNode.h"

namespace {

constexpr const char* kPushTypeNames[] = {"Hold", "Hit", "Repeat", "Toggle"};

}  // namespace

PushType ParsePushType(const char* text) {
  if (text == nullptr) return PushType::None;
  for (int i = 0; i < 4; ++i) {
    if (actions::EqualsIgnoringCase(text, kPushTypeNames[i])) return static_cast<PushType>(i);
  }
  return PushType::None;
}

const char* PushTypeName(PushType type) {
  const auto index = static_cast<std::int32_t>(type);
  return (index >= 0 && index < 4) ? kPushTypeNames[index] : nullptr;
}

CAction::CAction(PushType type, const char* theme, const char* name)
    : name_(name != nullptr ? name : ""), theme_(theme != nullptr ? theme : ""), pushType_(type) {}

CAction::CAction(const CAction& other)
    : CTimerUser(), name_(other.name_), theme_(other.theme_), pushType_(other.pushType_) {}

template <typename F>
void CAction::RunLockedThenStopTimers(F&& locked) {
  PendingStops stops;
  {
    std::lock_guard lock(runLock_);
    locked();
    stops = pending_;
    pending_.count = 0;
  }
  for (std::size_t i = 0; i < stops.count; ++i) StopTimer(stops.ids[i]);
}

CAction::~CAction() {
  RunLockedThenStopTimers([this] { DisarmTimer(); });
  EndTicks();
}

bool CAction::IsEqual(const CAction* other) const {
  return other != nullptr && name_ == other->name_ && theme_ == other->theme_ &&
         pushType_ == other->pushType_;
}

std::unique_ptr<CXMLNode> CAction::CreateXMLNode() const {
  auto element = std::make_unique<CXMLNode>(ElementName());
  WriteAttributes(element.get());
  return element;
}

void CAction::WriteAttributes(CXMLNode* element) const {
  element->AddAttribute("theme", theme_);
  element->AddAttribute("name", name_);
  if (const char* type = PushTypeName(pushType_)) element->AddAttribute("type", type);
}

void CAction::Press(CMouseSpeedData* speed) {
  RunLockedThenStopTimers([&] { PressLocked(speed); });
}

void CAction::Release(CMouseSpeedData* speed) {
  RunLockedThenStopTimers([&] { ReleaseLocked(speed); });
}

void CAction::ForceRelease(CMouseSpeedData* speed) {
  RunLockedThenStopTimers([&] {
    toggleArmed_ = false;
    if (IsActive()) Stop(speed);
    DisarmTimer();
  });
}

bool CAction::IsTimerRunning() const {
  std::lock_guard lock(runLock_);
  return timerId_ != 0 || pending_.count != 0;
}

void CAction::PressLocked(CMouseSpeedData* speed) {
  if (IsActive() && pushType_ == PushType::Toggle) {
    toggleArmed_ = true;
    return;
  }
  toggleArmed_ = false;
  Start(speed);
  if (pushType_ == PushType::Hit) ReleaseLocked(speed);
}

void CAction::ReleaseLocked(CMouseSpeedData* speed) {
  if (pushType_ == PushType::Toggle && !toggleArmed_) return;
  Stop(speed);
}

void CAction::ArmTimer(int periodMs) {
  if (timerId_ != 0 || periodMs <= 0) return;
  timerId_ = StartTimer(static_cast<unsigned>(periodMs), this);
}

void CAction::DisarmTimer() {
  if (timerId_ == 0) return;
  if (pending_.count < pending_.ids.size()) {
    pending_.ids[pending_.count++] = timerId_;
  } else {
    // Never reached: one locked call disarms at most twice. Stopping here is still safe on
    // the timer thread, where a stop takes effect at once.
    StopTimer(timerId_);
  }
  timerId_ = 0;
}

void CAction::RearmTimerInTick(int periodMs) {
  StopTimer(timerId_);  // inside a tick a stop takes effect at once
  timerId_ = 0;
  ArmTimer(periodMs);
}

void CAction::EndBeforeDestruction() {
  ForceRelease(nullptr);
  RunLockedThenStopTimers([this] { DisarmTimer(); });
  EndTicks();
}

std::optional<ActionElementHeader> ReadActionHeader(const CXMLNode& element,
                                                    std::string_view className) {
  const CAttribute* name = element.FindAttribute("Name");
  if (name == nullptr) {
    actions::ShowXMLError(actions::FillIn("There is a %s with no name", {className}));
    return std::nullopt;
  }
  ActionElementHeader header;
  header.className = className;
  header.name = name->Value();
  if (const CAttribute* type = element.FindAttribute("Type")) {
    header.type = ParsePushType(type->GetValue());
    if (header.type == PushType::None) {
      actions::ShowXMLError(actions::FillIn("The %s \"%s\" has an unknown type: \"%s\".",
                                            {className, header.name, type->Value()}));
      return std::nullopt;
    }
  }
  return header;
}

std::optional<int> ReadActionNumber(const CXMLNode& element, const ActionElementHeader& header,
                                    const char* attribute, int fallback) {
  const CAttribute* number = element.FindAttribute(attribute);
  if (number == nullptr) return fallback;
  const std::optional<int> value = actions::ReadDecimalWithin(number->GetValue());
  if (!value) {
    actions::ShowXMLError(
        actions::FillIn("The %s \"%s\" has an invalid %s value: \"%s\".",
                        {header.className, header.name, attribute, number->Value()}));
  }
  return value;
}

void ApplyThemeAttribute(const CXMLNode& element, CAction& action) {
  if (const CAttribute* theme = element.FindAttribute("theme")) action.SetTheme(theme->GetValue());
}
