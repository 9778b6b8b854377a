#include "actions/MouseAction.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "actions/AbsoluteMousePlacement.h"
#include "actions/TextRules.h"
#include "platform/Platform.h"
#include "xml/XMLNode.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

}  // namespace

CMouseAction::CMouseAction(PushType type, bool absolute, int delay, int speed, int acceleration,
                           int direction, const char* name)
    : CAction(type, "", name),
      acceleration_(acceleration),
      delay_(delay),
      speed_(speed),
      angle_(0),
      absolute_(absolute) {
  SetDirection(direction);
}

CMouseAction::CMouseAction(const CMouseAction& other)
    : CAction(other),
      acceleration_(other.acceleration_),
      delay_(other.delay_),
      speed_(other.speed_),
      angle_(other.angle_),
      absolute_(other.absolute_),
      heldSpeed_(other.heldSpeed_) {}

CMouseAction::~CMouseAction() {
  EndBeforeDestruction();
  CAbsoluteMousePlacement::Instance().Withdraw(this);
}

int CMouseAction::GetDirection() const {
  const long long direction = static_cast<long long>(angle_) + 90;
  return static_cast<int>(direction < 360 ? direction : static_cast<long long>(angle_) - 270);
}

int CMouseAction::NormalDirection(long long degrees) {
  return static_cast<int>((degrees % 360 + 360) % 360);
}

// Every direction is kept as its equal within 0..359, so that what is shown, what is written
// and what moves the cursor agree (999 degrees are 279 everywhere).
void CMouseAction::SetDirection(int direction) {
  const int degrees = NormalDirection(direction);
  angle_ = degrees >= 90 ? degrees - 90 : degrees + 270;
}

double CMouseAction::GetOffsetX() const {
  std::lock_guard lock(RunLock());
  return offsetX_;
}

double CMouseAction::GetOffsetY() const {
  std::lock_guard lock(RunLock());
  return offsetY_;
}

void CMouseAction::Start(CMouseSpeedData* speed) {
  heldSpeed_.reset();
  if (speed != nullptr) heldSpeed_ = speed->GetSpeed();
  if (!absolute_) ArmTimer(delay_);
  if (!IsActive()) movementStart_ = seam::Clock().TickCount();
  carryX_ = carryY_ = 0.0;
  SetActive();
  Step();
}

void CMouseAction::Stop(CMouseSpeedData* /*speed*/) {
  heldSpeed_.reset();
  if (!absolute_) DisarmTimer();
  // A factor of 0 withdraws an absolute contribution, and makes a relative step a move of zero.
  heldSpeed_ = 0.0;
  Step();
  heldSpeed_.reset();
  ClearActive();
}

void CMouseAction::OnTimer() {
  std::lock_guard lock(RunLock());
  if (!TimerArmed()) return;  // a tick of a timer that was just disarmed
  Step();
}

void CMouseAction::Step() {
  if (absolute_) {
    // Here no factor means no contribution, not full speed.
    StepAbsolute(heldSpeed_.value_or(0.0));
  } else {
    StepRelative(heldSpeed_.value_or(100.0));
  }
}

void CMouseAction::StepAbsolute(double factor) {
  seam::IDesktop& desktop = seam::Desktop();
  const double width = desktop.FullScreenWidth();
  const double height = desktop.FullScreenHeight();
  const double theta = angle_ * kRadiansPerDegree;
  // At factor 100 the offset is 1.2 half-screens.
  offsetX_ = (width * 0.5) * std::cos(theta) * factor * 0.012;
  offsetY_ = (height * 0.5) * std::sin(theta) * factor * 0.012;
  CAbsoluteMousePlacement::Instance().UpdateAndPlace(this, offsetX_, offsetY_, factor != 0.0);
}

void CMouseAction::StepRelative(double factor) {
  if (!IsActive()) return;
  const std::uint32_t elapsedMs = seam::Clock().TickCount() - movementStart_;
  const double t = elapsedMs * 0.001;
  const double period = delay_ * 0.001;
  // Distance after tau seconds: starting at `speed` pixels per second and gaining
  // 10 x acceleration pixels per second every second, scaled by the factor.
  const auto travelled = [&](double tau) {
    return tau * (speed_ + 5.0 * acceleration_ * tau) * factor * 0.01;
  };
  const double length = travelled(t) - travelled(t - period);
  const double theta = angle_ * kRadiansPerDegree;
  carryX_ += length * std::cos(theta);
  carryY_ += length * std::sin(theta);  // screen y grows downward: direction 0 moves up

  // Single pixels are held back until the carry reaches two.
  const std::int32_t wholeX = actions::TruncateToInt(carryX_);
  const std::int32_t wholeY = actions::TruncateToInt(carryY_);
  const bool sendX = wholeX >= 2 || wholeX <= -2;
  const bool sendY = wholeY >= 2 || wholeY <= -2;
  seam::Input().MouseEvent(seam::kMouseMove, sendX ? wholeX : 0, sendY ? wholeY : 0, 0);
  if (sendX) carryX_ -= wholeX;
  if (sendY) carryY_ -= wholeY;
}

std::unique_ptr<CAction> CMouseAction::Clone() const {
  return std::make_unique<CMouseAction>(*this);
}

bool CMouseAction::IsEqual(const CAction* other) const {
  if (!CAction::IsEqual(other)) return false;
  const auto* mouse = dynamic_cast<const CMouseAction*>(other);
  return mouse != nullptr && mouse->acceleration_ == acceleration_ &&
         mouse->absolute_ == absolute_ && mouse->delay_ == delay_ &&
         mouse->GetDirection() == GetDirection() && mouse->speed_ == speed_;
}

void CMouseAction::WriteAttributes(CXMLNode* element) const {
  CAction::WriteAttributes(element);
  element->AddAttribute("direction", std::to_string(GetDirection()));
  element->AddAttribute("absolute", absolute_ ? "true" : "false");
  element->AddAttribute("delay", std::to_string(delay_));
  element->AddAttribute("speed", std::to_string(speed_));
  element->AddAttribute("acceleration", std::to_string(acceleration_));
}

std::unique_ptr<CAction> ReadMouseAction(const CXMLNode* element) {
  if (element == nullptr) return nullptr;
  const auto header = ReadActionHeader(*element, "MouseAction");
  if (!header) return nullptr;
  const CAttribute* direction = element->FindAttribute("Direction");
  if (direction == nullptr) {
    actions::ShowXMLError(
        actions::FillIn("The MouseAction \"%s\" doesn't have a direction.", {header->name}));
    return nullptr;
  }
  bool absolute = false;
  if (const CAttribute* value = element->FindAttribute("Absolute")) {
    if (actions::EqualsIgnoringCase(value->Value(), "true")) {
      absolute = true;
    } else if (!actions::EqualsIgnoringCase(value->Value(), "false")) {
      actions::ShowXMLError(
          actions::FillIn("The MouseAction \"%s\" has an unknown absolute value: \"%s\".",
                          {header->name, value->Value()}));
      return nullptr;
    }
  }
  const std::optional<int> degrees = ReadActionNumber(*element, *header, "direction", 0);
  if (!degrees) return nullptr;
  const std::optional<int> delay =
      ReadActionNumber(*element, *header, "delay", CMouseAction::kDefaultDelay);
  if (!delay) return nullptr;
  const std::optional<int> speed =
      ReadActionNumber(*element, *header, "speed", CMouseAction::kDefaultSpeed);
  if (!speed) return nullptr;
  const std::optional<int> acceleration =
      ReadActionNumber(*element, *header, "acceleration", CMouseAction::kDefaultAcceleration);
  if (!acceleration) return nullptr;
  auto action = std::make_unique<CMouseAction>(header->type, absolute, *delay, *speed,
                                               *acceleration, *degrees, header->name.c_str());
  ApplyThemeAttribute(*element, *action);
  return action;
}
