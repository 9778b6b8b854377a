#include "actions/MouseWheelAction.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "actions/TextRules.h"
#include "platform/Platform.h"
#include "xml/XMLNode.h"

CMouseWheelAction::CMouseWheelAction(PushType type, int delay, int direction, int lines,
                                     const char* name)
    : CAction(type, "", name), delay_(delay), direction_(direction), lines_(lines) {}

CMouseWheelAction::CMouseWheelAction(const CMouseWheelAction& other)
    : CAction(other), delay_(other.delay_), direction_(other.direction_), lines_(other.lines_) {}

CMouseWheelAction::~CMouseWheelAction() { EndBeforeDestruction(); }

void CMouseWheelAction::StepOnce() const {
  // Computed wide and clamped: a huge "lines" must not overflow.
  const long long delta = static_cast<long long>(lines_) * kDeltaPerLine;
  const long long signedDelta = direction_ == kDown ? -delta : delta;
  const auto data = static_cast<std::int32_t>(
      std::clamp<long long>(signedDelta, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max()));
  seam::Input().MouseEvent(seam::kMouseWheel, 0, 0, data);
}

void CMouseWheelAction::Start(CMouseSpeedData* /*speed*/) {
  SetActive();
  StepOnce();
  if (GetPushType() == PushType::Hold) ArmTimer(delay_);  // never a second timer
}

void CMouseWheelAction::Stop(CMouseSpeedData* /*speed*/) {
  DisarmTimer();
  ClearActive();
}

void CMouseWheelAction::OnTimer() {
  std::lock_guard lock(RunLock());
  if (!TimerArmed()) return;  // a tick of a timer that was just disarmed
  StepOnce();
}

std::unique_ptr<CAction> CMouseWheelAction::Clone() const {
  return std::make_unique<CMouseWheelAction>(*this);
}

bool CMouseWheelAction::IsEqual(const CAction* other) const {
  if (!CAction::IsEqual(other)) return false;
  const auto* wheel = dynamic_cast<const CMouseWheelAction*>(other);
  return wheel != nullptr && wheel->delay_ == delay_ && wheel->direction_ == direction_ &&
         wheel->lines_ == lines_;
}

void CMouseWheelAction::WriteAttributes(CXMLNode* element) const {
  CAction::WriteAttributes(element);
  const char* direction = direction_ == kUp ? "up" : direction_ == kDown ? "down" : "Unknown";
  element->AddAttribute("direction", direction);
  element->AddAttribute("delay", std::to_string(delay_));
  element->AddAttribute("lines", std::to_string(lines_));
}

std::unique_ptr<CAction> ReadMouseWheelAction(const CXMLNode* element) {
  if (element == nullptr) return nullptr;
  const auto header = ReadActionHeader(*element, "MouseWheelAction");
  if (!header) return nullptr;
  const CAttribute* direction = element->FindAttribute("Direction");
  if (direction == nullptr) {
    actions::ShowXMLError(
        actions::FillIn("The MouseWheelAction \"%s\" doesn't have a direction.", {header->name}));
    return nullptr;
  }
  int value = CMouseWheelAction::kUp;
  if (actions::EqualsIgnoringCase(direction->Value(), "Up")) {
    value = CMouseWheelAction::kUp;
  } else if (actions::EqualsIgnoringCase(direction->Value(), "Down")) {
    value = CMouseWheelAction::kDown;
  } else {
    actions::ShowXMLError(
        actions::FillIn("The MouseWheelAction \"%s\" have an illegal direction \"%s\".",
                        {header->name, direction->Value()}));
    return nullptr;
  }
  const std::optional<int> delay =
      ReadActionNumber(*element, *header, "delay", CMouseWheelAction::kDefaultDelay);
  if (!delay) return nullptr;
  const std::optional<int> lines =
      ReadActionNumber(*element, *header, "lines", CMouseWheelAction::kDefaultLines);
  if (!lines) return nullptr;
  auto action = std::make_unique<CMouseWheelAction>(header->type, *delay, value, *lines,
                                                    header->name.c_str());
  ApplyThemeAttribute(*element, *action);
  return action;
}
