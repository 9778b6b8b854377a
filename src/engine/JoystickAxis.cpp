#include "engine/JoystickAxis.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "actions/TextRules.h"
#include "engine/LibraryActions.h"
#include "engine/ProfileMessages.h"
#include "xml/XMLNode.h"

namespace {

std::uint32_t AxisValue(const seam::JoystickState& state, int axisIndex) {
  switch (axisIndex) {
    case 0:
      return state.xPos;
    case 1:
      return state.yPos;
    case 2:
      return state.zPos;
    case 3:
      return state.rPos;
    case 4:
      return state.uPos;
    case 5:
      return state.vPos;
    default:
      return 0;
  }
}

// Whether a side's action runs: a container runs while one of its entries does.
bool Running(const CAction* action) {
  if (action == nullptr) return false;
  if (auto* container = dynamic_cast<const CJoystickAxisThreshold*>(action)) {
    return container->GetActiveAction() != nullptr;
  }
  return action->IsActive();
}

const char* PartnerOf(const std::string& direction) {
  using actions::EqualsIgnoringCase;
  if (EqualsIgnoringCase(direction, "Left")) return "Right";
  if (EqualsIgnoringCase(direction, "Right")) return "Left";
  if (EqualsIgnoringCase(direction, "Up")) return "Down";
  return "Up";
}

}  // namespace

CJoystickAxis::CJoystickAxis(CShiftButtonOwner* owner, const CJoystickAxisProperties& properties,
                             const char* name)
    : CJoystickButtonBase(owner, name), properties_(properties) {
  positiveList_.resize(static_cast<std::size_t>(highest_) + 1);
}

CJoystickAxis::~CJoystickAxis() {
  if (pressed_) CJoystickAxis::Release(nullptr);
  CJoystickAxis::DeletePositiveActions();
}

double CJoystickAxis::DeflectionPercent(std::uint32_t position) const {
  const double min = properties_.GetMin();
  const double max = properties_.GetMax();
  const double threshold = properties_.GetThreshold();
  double percent = 0;
  if (position > properties_.High()) {
    const double high = (min + max + threshold) / 2;
    percent = max > high ? (position - high) / (max - high) * 100 : 100;
  } else if (position < properties_.Low()) {
    const double low = (min + max - threshold) / 2;
    percent = low > min ? (low - position) / (low - min) * 100 : 100;
  }
  // Readings beyond the reported range count as the end of the travel.
  return std::clamp(percent, 0.0, 100.0);
}

bool CJoystickAxis::IsHeldIn(const seam::JoystickState& state) const {
  const std::uint32_t pos = AxisValue(state, properties_.GetAxisIndex());
  return pos < properties_.Low() || pos > properties_.High();
}

void CJoystickAxis::Update(const seam::JoystickState& state) {
  if (!enabled_) return;
  const std::uint32_t pos = AxisValue(state, properties_.GetAxisIndex());
  if (awaitingRelease_) {
    // Still deflected: nothing yet. Back in the dead zone: evaluated from here on.
    if (pos < properties_.Low() || pos > properties_.High()) return;
    awaitingRelease_ = false;
    properties_.SetPosition(pos);
    return;
  }
  const std::int64_t position = properties_.GetPosition();
  const std::int64_t sensitivity = properties_.GetSensitivity();
  // Jitter filter: small changes accumulate until they exceed the sensitivity.
  if (position <= pos + sensitivity && position >= pos - sensitivity) return;
  const std::uint32_t old = static_cast<std::uint32_t>(position);
  const std::uint32_t high = properties_.High();
  const std::uint32_t low = properties_.Low();
  if (pressed_ &&
      ((low < pos && pos < high) || (old < low && pos > low) || (old > high && pos < high))) {
    Release(nullptr);
  }
  properties_.SetPosition(pos);
  if (pos > high || pos < low) {
    CMouseSpeedData speed(DeflectionPercent(pos));
    Press(&speed);
  }
}

CJoystickAxisThreshold* CJoystickAxis::Container(bool negative, int shiftState) const {
  if (shiftState < 0) return nullptr;
  if (negative) {
    if (shiftState >= static_cast<int>(pressList_.size())) return nullptr;
    return dynamic_cast<CJoystickAxisThreshold*>(pressList_[shiftState].get());
  }
  if (shiftState >= static_cast<int>(positiveList_.size())) return nullptr;
  return positiveList_[shiftState].get();
}

CJoystickAxisThreshold* CJoystickAxis::PeekThresholds(bool negative, int shiftState) const {
  return Container(negative, shiftState);
}

std::vector<int> CJoystickAxis::PercentsInForce(bool negative, int shiftState) const {
  std::vector<int> percents;
  const auto* container =
      negative ? dynamic_cast<const CJoystickAxisThreshold*>(SelectFrom(pressList_, shiftState))
               : SelectFrom(positiveList_, shiftState);
  for (int i = 0; container != nullptr && i < container->GetThresholdCount(); ++i) {
    percents.push_back(container->GetPercentAt(i));
  }
  std::sort(percents.begin(), percents.end());
  return percents;
}

CAction* CJoystickAxis::SideInForce(bool negative) const {
  return negative ? SelectFrom(pressList_, shiftState_)
                  : static_cast<CAction*>(SelectFrom(positiveList_, shiftState_));
}

void CJoystickAxis::Press(CMouseSpeedData* speed) {
  pressed_ = true;
  const bool negative = properties_.GetPosition() < properties_.Centre();
  if (CAction* other = SideInForce(!negative); Running(other)) other->Release(nullptr);
  if (CAction* side = SideInForce(negative)) side->Press(speed);
}

void CJoystickAxis::Release(CMouseSpeedData*) {
  pressed_ = false;
  for (bool negative : {true, false}) {
    if (CAction* side = SideInForce(negative)) side->Release(nullptr);
  }
}

void CJoystickAxis::Enable(bool enabled) {
  if (!enabled && enabled_) {
    for (auto& container : positiveList_) {
      if (container) container->Release(nullptr);
    }
    for (auto& action : pressList_) {
      if (action) action->Release(nullptr);
    }
    pressed_ = false;
  }
  CJoystickButtonBase::Enable(enabled);
}

void CJoystickAxis::StopAllActions() {
  for (auto& container : positiveList_) {
    if (container) container->StopAll();
  }
  CJoystickButtonBase::StopAllActions();
}

void CJoystickAxis::SetShiftState(int shiftState) {
  CJoystickButtonBase::SetShiftState(shiftState);
  properties_.ResetPosition();
}

bool CJoystickAxis::SetShiftCount(int highest) {
  if (highest < 0 || highest == highest_) return false;
  ResizeList(positiveList_, highest);
  return CJoystickButtonBase::SetShiftCount(highest);
}

void CJoystickAxis::DeletePositiveActions() {
  for (auto& container : positiveList_) {
    if (container) container->StopAll();
    container.reset();
  }
}

void CJoystickAxis::RemoveNegativeThreshold(int shiftState, int percent) {
  RemoveThreshold(true, shiftState, percent);
}

void CJoystickAxis::RemovePositiveThreshold(int shiftState, int percent) {
  RemoveThreshold(false, shiftState, percent);
}

void CJoystickAxis::RemoveThreshold(bool negative, int shiftState, int percent) {
  const bool wasEnabled = enabled_;
  Enable(false);
  if (CJoystickAxisThreshold* container = Container(negative, shiftState)) {
    if (CAction* entry = container->FindThreshold(percent)) {
      if (entry->IsActive()) entry->Release(nullptr);
      container->RemoveThreshold(percent);
    }
    if (container->GetThresholdCount() == 0) {
      if (negative) {
        pressList_[shiftState].reset();
      } else {
        positiveList_[shiftState].reset();
      }
    }
  }
  Enable(wasEnabled);
}

void CJoystickAxis::AddNegativeThreshold(int shiftState, const CAction& action, int percent) {
  if (!InRange(shiftState)) return;
  StoreThreshold(true, shiftState, action.Clone(), percent);
}

void CJoystickAxis::AddPositiveThreshold(int shiftState, const CAction& action, int percent) {
  if (!InRange(shiftState)) return;
  StoreThreshold(false, shiftState, action.Clone(), percent);
}

void CJoystickAxis::StoreThreshold(bool negative, int shiftState, std::unique_ptr<CAction> action,
                                   int percent) {
  if (!InRange(shiftState) || !action) return;
  const bool wasEnabled = enabled_;
  Enable(false);
  RemoveThreshold(negative, shiftState, percent);
  CJoystickAxisThreshold* container = Container(negative, shiftState);
  if (container == nullptr) {
    auto created = std::make_unique<CJoystickAxisThreshold>();
    container = created.get();
    if (negative) {
      // Replaces whatever else the slot held: this side holds containers only.
      if (pressList_[shiftState]) StopActionCompletely(*pressList_[shiftState]);
      pressList_[shiftState] = std::move(created);
    } else {
      positiveList_[shiftState] = std::move(created);
    }
  }
  container->AddThreshold(std::move(action), percent);
  Enable(wasEnabled);
}

std::unique_ptr<CJoystickAxisThreshold> CJoystickAxis::GetPositiveActions(int shiftState) const {
  const CJoystickAxisThreshold* container = Container(false, shiftState);
  if (container == nullptr) return nullptr;
  std::unique_ptr<CAction> copy = container->Clone();
  return std::unique_ptr<CJoystickAxisThreshold>(
      static_cast<CJoystickAxisThreshold*>(copy.release()));
}

bool CJoystickAxis::Load(const CXMLNode& axisElement, CProfileMessages& messages) {
  using actions::EqualsIgnoringCase;
  using actions::FillIn;
  Enable(false);
  swapped_ = false;
  vertical_ = false;

  const char* name = actions::AttributeText(axisElement, "Name");
  if (name == nullptr || !EqualsIgnoringCase(name, name_)) return false;
  // A width the program cannot take as written (a negative threshold; a number beyond the
  // range of int) is reported as it stands and not used: the axis keeps its own.
  const auto width = [&](const char* attribute, int least,
                         void (CJoystickAxisProperties::*set)(int)) {
    const char* text = actions::AttributeText(axisElement, attribute);
    if (text == nullptr) return;
    if (const auto value = actions::ReadDecimalWithin(text, least)) {
      (properties_.*set)(*value);
    } else {
      messages.Error(
          FillIn("The axis \"%s\" has an invalid %s value: \"%s\".", {name_, attribute, text}));
    }
  };
  width("Sensitivity", INT_MIN, &CJoystickAxisProperties::SetSensitivity);
  width("Threshold", 0, &CJoystickAxisProperties::SetThreshold);

  const char* type = actions::AttributeText(axisElement, "type");
  if (type == nullptr) {
    messages.Error(FillIn("The axis \"%s\" does not have a Type attribute.", {name_}));
    return false;
  }
  if (EqualsIgnoringCase(type, "Vertical")) {
    vertical_ = true;
  } else if (EqualsIgnoringCase(type, "Horizontal")) {
    vertical_ = false;
  } else {
    messages.Error(FillIn("The axis \"%s\" has an invalid Type value: \"%s\".", {name_, type}));
    return false;
  }

  if (const char* swapped = actions::AttributeText(axisElement, "swapped")) {
    if (EqualsIgnoringCase(swapped, "true")) {
      swapped_ = true;
    } else if (!EqualsIgnoringCase(swapped, "false")) {
      messages.Error(FillIn("The axis \"%s\" has an invalid value for \"swapped\": \"%s\".",
                            {name_, swapped}));
      return false;
    }
  }

  const CXMLNode* first = axisElement.FindChild("Direction", nullptr);
  if (first == nullptr) return true;  // no actions; the axis stays disabled
  const char* firstName = actions::AttributeText(*first, "Name");
  if (firstName == nullptr) {
    messages.Error(FillIn("The axis \"%s\" has a direction with no name.", {name_}));
    return false;
  }
  const bool up = EqualsIgnoringCase(firstName, "Up");
  const bool down = EqualsIgnoringCase(firstName, "Down");
  const bool left = EqualsIgnoringCase(firstName, "Left");
  const bool right = EqualsIgnoringCase(firstName, "Right");
  if (vertical_ && !up && !down) {
    messages.Error(FillIn(
        "The axis \"%s\" is vertical but its first direction is \"%s\", it must be up or down.",
        {name_, firstName}));
    return false;
  }
  if (!vertical_ && !left && !right) {
    messages.Error(FillIn(
        "The axis \"%s\" is horizontal but its first direction is \"%s\", it must be left or "
        "right.",
        {name_, firstName}));
    return false;
  }
  const bool firstNegative = (left || up) != swapped_;
  LoadDirectionActions(first->FindChild("Actions", nullptr), firstNegative, messages);

  const CXMLNode* second = axisElement.FindChild("Direction", first);
  if (second == nullptr) {
    messages.Error(FillIn("The axis \"%s\" is missing a direction.", {name_}));
    return false;
  }
  const char* secondName = actions::AttributeText(*second, "Name");
  if (secondName == nullptr) {
    messages.Error(FillIn("The axis \"%s\" has an attribute with no name.", {name_}));
    return false;
  }
  if (!EqualsIgnoringCase(secondName, PartnerOf(firstName))) {
    messages.Error(
        FillIn("The name of the first direction in The axis \"%s\" is \"%s\", but the name of the "
               "second direction is \"%s\".",
               {name_, firstName, secondName}));
  }
  LoadDirectionActions(second->FindChild("Actions", nullptr), !firstNegative, messages);
  Enable(true);
  return true;
}

bool CJoystickAxis::LoadDirectionActions(const CXMLNode* actionsElement, bool negative,
                                         CProfileMessages& messages) {
  if (actionsElement == nullptr) return true;
  for (const CXMLNode* entry = actionsElement->FindChild("Action", nullptr); entry != nullptr;
       entry = actionsElement->FindChild("Action", entry)) {
    const char* number = actions::AttributeText(*entry, "Number");
    if (number == nullptr) continue;
    const int shiftState = actions::ReadDecimal(number);
    if (!InRange(shiftState)) continue;
    const char* theme = actions::AttributeText(*entry, "Theme");
    const char* name = actions::AttributeText(*entry, "Name");
    if (theme == nullptr || name == nullptr) continue;
    std::unique_ptr<CAction> action = CloneLibraryAction(theme, name);
    if (!action) {
      messages.MissingAction(name);
      continue;
    }
    StoreThreshold(negative, shiftState, std::move(action),
                   actions::DecimalAttribute(*entry, "percent", 0));
  }
  return true;
}
