#include "actions/ComplexAction.h"

#include <string>

#include "actions/ActionLibrary.h"
#include "actions/TextRules.h"
#include "xml/XMLNode.h"

CComplexAction::CComplexAction(PushType type, const char* name) : CAction(type, "", name) {}

CComplexAction::CComplexAction(PushType type, const std::vector<const CAction*>& parts,
                               const char* name, const char* theme, bool active)
    : CAction(type, theme, name) {
  SetActions(parts);
  SetActiveState(active);
}

CComplexAction::CComplexAction(const CComplexAction& other) : CAction(other) {
  for (const auto& part : other.parts_) AppendAction(part.get());
  SetActiveState(other.IsActive());
}

CComplexAction::~CComplexAction() {
  EndBeforeDestruction();
  RemoveAllActions();
}

bool CComplexAction::AppendAction(const CAction* action) {
  if (action == nullptr) return false;
  std::unique_ptr<CAction> clone = action->Clone();
  if (!clone) return false;
  parts_.push_back(std::move(clone));
  return true;
}

void CComplexAction::AdoptAction(std::unique_ptr<CAction> part) {
  if (part) parts_.push_back(std::move(part));
}

void CComplexAction::RemoveAllActions() {
  while (!parts_.empty()) parts_.erase(parts_.begin());
}

void CComplexAction::EraseAction(std::size_t position) {
  if (position < parts_.size())
    parts_.erase(parts_.begin() + static_cast<std::ptrdiff_t>(position));
}

void CComplexAction::RemoveAction(const CAction* action) {
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    if (parts_[i]->IsEqual(action)) {
      EraseAction(i);
      return;
    }
  }
}

bool CComplexAction::UsesAction(const char* theme, const char* name) const {
  for (const auto& part : parts_) {
    if (actions::EqualsIgnoringCase(part->GetName(), name) &&
        actions::EqualsIgnoringCase(part->GetTheme(), theme)) {
      return true;
    }
  }
  return false;
}

std::size_t CComplexAction::CountNestedActions() const {
  std::size_t count = 1;
  for (const auto& part : parts_) {
    const auto* nested = dynamic_cast<const CComplexAction*>(part.get());
    count += nested != nullptr ? nested->CountNestedActions() : 1;
  }
  return count;
}

bool CComplexAction::SetActions(const std::vector<const CAction*>& actions) {
  RemoveAllActions();
  bool all = true;
  for (const CAction* action : actions) all = AppendAction(action) && all;
  return all;
}

void CComplexAction::Start(CMouseSpeedData* speed) {
  if (IsActive()) return;
  SetActive();
  for (const auto& part : parts_) part->Press(speed);
}

void CComplexAction::Stop(CMouseSpeedData* speed) {
  if (!IsActive()) return;
  for (auto it = parts_.rbegin(); it != parts_.rend(); ++it) (*it)->Release(speed);
  ClearActive();
}

std::unique_ptr<CAction> CComplexAction::Clone() const {
  return std::make_unique<CComplexAction>(*this);
}

bool CComplexAction::IsEqual(const CAction* other) const {
  if (!CAction::IsEqual(other)) return false;
  const auto* complex = dynamic_cast<const CComplexAction*>(other);
  if (complex == nullptr || complex->parts_.size() != parts_.size()) return false;
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    if (!parts_[i]->IsEqual(complex->parts_[i].get())) return false;
  }
  return true;
}

void CComplexAction::WriteAttributes(CXMLNode* element) const {
  CAction::WriteAttributes(element);
  for (const auto& part : parts_) {
    auto entry = std::make_unique<CXMLNode>("CombinedAction");
    entry->AddAttribute("theme", part->GetTheme());
    entry->AddAttribute("name", part->GetName());
    // Parts are Hold or Hit; any other push type is left to the library action's own.
    const PushType type = part->GetPushType();
    if (type == PushType::Hold || type == PushType::Hit) {
      entry->AddAttribute("type", PushTypeName(type));
    }
    element->AddChild(std::move(entry));
  }
}

std::optional<ComplexActionElement> ReadComplexActionElement(const CXMLNode& element) {
  const auto header = ReadActionHeader(element, "ComplexAction");
  if (!header) return std::nullopt;
  const std::string& name = header->name;
  ComplexActionElement read;
  for (const CXMLNode* entry = element.FindChild("CombinedAction", nullptr); entry != nullptr;
       entry = element.FindChild("CombinedAction", entry)) {
    const CAttribute* theme = entry->FindAttribute("Theme");
    if (theme == nullptr) continue;  // an entry without a theme is ignored
    const CAttribute* partName = entry->FindAttribute("name");
    if (partName == nullptr) {
      actions::ShowXMLError(
          actions::FillIn("The ComplexAction \"%s\" has a CombinedAction with no name.", {name}));
      return std::nullopt;
    }
    CombinedActionEntry part{std::string(theme->Value()), std::string(partName->Value())};
    if (const CAttribute* type = entry->FindAttribute("Type")) {
      part.type = ParsePushType(type->GetValue());
      if (part.type == PushType::None) {
        actions::ShowXMLError(actions::FillIn(
            "The ComplexAction \"%s\" has an unknown type: \"%s\".", {name, type->Value()}));
        return std::nullopt;
      }
    }
    read.entries.push_back(std::move(part));
  }
  read.action = std::make_unique<CComplexAction>(header->type, name.c_str());
  ApplyThemeAttribute(element, *read.action);
  return read;
}

bool ResolveCombinedActions(CComplexAction& action, const std::vector<CombinedActionEntry>& entries,
                            const ActionResolver& resolve) {
  // Parts collected so far are freed with `parts` when the combination is dropped.
  std::vector<std::unique_ptr<CAction>> parts;
  std::size_t total = 1;  // the actions pressed in all, the combination itself included
  for (const CombinedActionEntry& entry : entries) {
    std::unique_ptr<CAction> part = resolve(entry.theme.c_str(), entry.name.c_str());
    if (!part) {
      actions::ShowXMLError(
          actions::FillIn("The ComplexAction \"%s\" asked for an undefined action: \"%s\".",
                          {action.GetName(), entry.name}));
      return false;
    }
    if (entry.type != PushType::None) part->SetPushType(entry.type);
    const auto* nested = dynamic_cast<const CComplexAction*>(part.get());
    total += nested != nullptr ? nested->CountNestedActions() : 1;
    if (total > CComplexAction::kMaxNestedActions) {
      actions::ShowXMLError(actions::FillIn("The ComplexAction \"%s\" combines too many actions.",
                                            {action.GetName()}));
      return false;
    }
    parts.push_back(std::move(part));
  }
  for (auto& part : parts) action.AdoptAction(std::move(part));
  return true;
}

std::unique_ptr<CAction> ReadComplexAction(const CXMLNode* element) {
  if (element == nullptr) return nullptr;
  std::optional<ComplexActionElement> read = ReadComplexActionElement(*element);
  if (!read) return nullptr;
  const ActionResolver fromLibrary = [](const char* theme, const char* name) {
    return CloneAction(theme, name);
  };
  if (!ResolveCombinedActions(*read->action, read->entries, fromLibrary)) return nullptr;
  return std::move(read->action);
}
