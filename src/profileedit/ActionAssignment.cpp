#include "profileedit/ActionAssignment.h"

#include <memory>

#include "profileedit/AxisSettings.h"
#include "profileedit/DocumentEdits.h"

namespace profileedit {

namespace {

// A target element and the element that holds it ("Buttons", "POV" or the "Axis").
struct Located {
  CXMLNode* holder = nullptr;
  CXMLNode* target = nullptr;
};

Located Locate(const CXMLNode& root, const ElementTarget& target) {
  Located found;
  switch (target.kind) {
    case TargetKind::Button:
      found.holder = root.FindChild("Buttons", nullptr);
      if (found.holder != nullptr) {
        found.target = FindChildNumbered(*found.holder, "Button", "number", target.button);
      }
      break;
    case TargetKind::POVDirection:
      found.holder = root.FindChild("POV", nullptr);
      if (found.holder != nullptr) {
        found.target = FindChildNamed(*found.holder, "Direction", "name", target.direction);
      }
      break;
    case TargetKind::AxisDirection:
      found.holder = FindAxisElement(root, target.axis);
      if (found.holder != nullptr) {
        found.target = FindChildNamed(*found.holder, "Direction", "name", target.direction);
      }
      break;
  }
  return found;
}

// Whether an "Action" belongs to the shift state and, when given, the percent.
bool IsEntryFor(const CXMLNode& action, int shiftState, std::optional<int> percent) {
  if (AttributeText(action, "number") == nullptr) return false;
  if (NumberAttribute(action, "number", 0) != shiftState) return false;
  return !percent.has_value() || NumberAttribute(action, "percent", 0) == percent.value_or(0);
}

CXMLNode* FindEntry(const CXMLNode& actions, int shiftState, std::optional<int> percent) {
  for (CXMLNode* action = actions.FindChild("Action", nullptr); action != nullptr;
       action = actions.FindChild("Action", action)) {
    if (IsEntryFor(*action, shiftState, percent)) return action;
  }
  return nullptr;
}

// Removes the first entry of "Actions"; true when there was one.
bool RemoveEntry(CXMLNode& target, int shiftState, std::optional<int> percent) {
  CXMLNode* actions = target.FindChild("Actions", nullptr);
  CXMLNode* entry = actions != nullptr ? FindEntry(*actions, shiftState, percent) : nullptr;
  return entry != nullptr && actions->RemoveChild(entry);
}

bool HasAction(const CXMLNode& target) {
  const CXMLNode* actions = target.FindChild("Actions", nullptr);
  return actions != nullptr && actions->FindChild("Action", nullptr) != nullptr;
}

// The child named `element`, appended when missing; `created` is set when it was.
CXMLNode& FindOrAppend(CXMLNode& parent, const char* element, bool& created) {
  if (CXMLNode* child = parent.FindChild(element, nullptr)) return *child;
  created = true;
  return *parent.AddChild(std::make_unique<CXMLNode>(element));
}

CXMLNode& FindOrCreateAxisDirection(CXMLNode& root, const ElementTarget& target, bool& created) {
  if (FindAxisElement(root, target.axis) == nullptr) created = true;
  const bool vertical = target.direction == "Up" || target.direction == "Down";
  CXMLNode* axis = &FindOrCreateAxis(root, target.axis, vertical);
  CXMLNode* direction = FindChildNamed(*axis, "Direction", "name", target.direction);
  if (direction == nullptr) {
    created = true;
    direction = &AppendChild(*axis, "Direction", "name", target.direction);
  }
  // The engine refuses an axis with one direction: the partner comes along, without actions.
  const std::string_view partner = PartnerDirection(target.direction);
  if (!partner.empty() && FindChildNamed(*axis, "Direction", "name", partner) == nullptr) {
    created = true;
    AppendChild(*axis, "Direction", "name", partner);
  }
  return *direction;
}

CXMLNode& FindOrCreateTarget(CXMLNode& root, const ElementTarget& target, bool& created) {
  if (target.kind == TargetKind::AxisDirection) {
    return FindOrCreateAxisDirection(root, target, created);
  }
  if (CXMLNode* found = Locate(root, target).target) return *found;
  created = true;
  if (target.kind == TargetKind::Button) {
    return AppendChild(FindOrAppend(root, "Buttons", created), "Button", "number",
                       std::to_string(target.button));
  }
  return AppendChild(FindOrAppend(root, "POV", created), "Direction", "name", target.direction);
}

bool RemoveAxisAction(CXMLNode& root, const ElementTarget& target, int shiftState, int percent) {
  const Located found = Locate(root, target);
  CXMLNode* axis = found.holder;
  if (axis == nullptr) return false;
  if (found.target == nullptr) {
    if (axis->FindChild("Direction", nullptr) != nullptr) return false;
    return root.FindChild("Axes", nullptr)->RemoveChild(axis);
  }
  const bool removed = RemoveEntry(*found.target, shiftState, percent);
  if (HasAction(*found.target)) return removed;
  // An emptied direction stays while its partner still has actions (the engine needs both).
  const std::string_view partnerName = PartnerDirection(target.direction);
  CXMLNode* partner =
      partnerName.empty() ? nullptr : FindChildNamed(*axis, "Direction", "name", partnerName);
  if (partner != nullptr && HasAction(*partner)) return removed;
  axis->RemoveChild(found.target);
  if (partner != nullptr) axis->RemoveChild(partner);
  return true;
}

}  // namespace

CXMLNode* FindTarget(const CXMLNode& root, const ElementTarget& target) {
  return Locate(root, target).target;
}

std::vector<AssignedAction> AssignedActions(const CXMLNode& root, const ElementTarget& target,
                                            int shiftState, int percent) {
  std::vector<AssignedAction> assigned;
  const CXMLNode* element = FindTarget(root, target);
  const CXMLNode* actions = element != nullptr ? element->FindChild("Actions", nullptr) : nullptr;
  if (actions == nullptr) return assigned;
  const std::optional<int> key =
      target.kind == TargetKind::AxisDirection ? std::optional<int>(percent) : std::nullopt;
  for (const CXMLNode* action = actions->FindChild("Action", nullptr); action != nullptr;
       action = actions->FindChild("Action", action)) {
    if (!IsEntryFor(*action, shiftState, key)) continue;
    AssignedAction entry;
    if (const char* theme = AttributeText(*action, "theme")) entry.theme = theme;
    if (const char* name = AttributeText(*action, "name")) entry.name = name;
    assigned.push_back(std::move(entry));
  }
  return assigned;
}

bool SetActionEntry(CXMLNode& target, int shiftState, std::string_view theme, std::string_view name,
                    int percent) {
  bool created = false;
  CXMLNode& actions = FindOrAppend(target, "Actions", created);
  if (CXMLNode* entry = FindEntry(actions, shiftState, percent)) {
    const bool themeSet = SetAttribute(*entry, "theme", theme, Compare::IgnoringCase);
    const bool nameSet = SetAttribute(*entry, "name", name, Compare::IgnoringCase);
    return created || themeSet || nameSet;
  }
  CXMLNode& entry = AppendChild(actions, "Action", "number", std::to_string(shiftState));
  entry.AddAttribute("theme", std::string(theme));
  entry.AddAttribute("name", std::string(name));
  if (percent != 0) entry.AddAttribute("percent", std::to_string(percent));
  return true;
}

bool AssignAction(CXMLNode& root, const ElementTarget& target, int shiftState,
                  std::string_view theme, std::string_view name, int percent) {
  bool created = false;
  CXMLNode& element = FindOrCreateTarget(root, target, created);
  const int key = target.kind == TargetKind::AxisDirection ? percent : 0;
  return SetActionEntry(element, shiftState, theme, name, key) || created;
}

bool RemoveAction(CXMLNode& root, const ElementTarget& target, int shiftState, int percent) {
  if (target.kind == TargetKind::AxisDirection) {
    return RemoveAxisAction(root, target, shiftState, percent);
  }
  const Located found = Locate(root, target);
  if (found.target == nullptr) return false;
  const bool removed = RemoveEntry(*found.target, shiftState, std::nullopt);
  if (HasAction(*found.target) || found.target->FindChild("ReleaseActions", nullptr) != nullptr) {
    return removed;
  }
  return found.holder->RemoveChild(found.target);
}

}  // namespace profileedit
