#include "engine/JoystickAxisThreshold.h"

#include <string>

#include "engine/ActionStopping.h"
#include "xml/XMLNode.h"

CJoystickAxisThreshold::CJoystickAxisThreshold() : CAction(PushType::None, "", "") {}

CJoystickAxisThreshold::~CJoystickAxisThreshold() {
  Release(nullptr);
  StopAll();
  entries_.clear();
}

std::unique_ptr<CAction> CJoystickAxisThreshold::Clone() const {
  auto copy = std::make_unique<CJoystickAxisThreshold>();
  copy->entries_.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    copy->entries_.push_back({entry.percent, entry.action->Clone()});
  }
  return copy;
}

void CJoystickAxisThreshold::WriteAttributes(CXMLNode* element) const {
  for (const Entry& entry : entries_) {
    std::unique_ptr<CXMLNode> child = entry.action->CreateXMLNode();
    child->AddAttribute("percent", std::to_string(entry.percent));
    element->AddChild(std::move(child));
  }
}

void CJoystickAxisThreshold::Start(CMouseSpeedData* speed) {
  CAction* current = GetActiveAction();
  if (speed == nullptr) return;
  CAction* found = FindForValue(speed->GetSpeed());
  if (found == nullptr) return;  // the running entry, if any, stays
  if (found != current && current != nullptr) current->Release(nullptr);
  found->Press(speed);
}

void CJoystickAxisThreshold::Stop(CMouseSpeedData*) {
  for (Entry& entry : entries_) {
    if (entry.action->IsActive()) entry.action->Release(nullptr);
  }
}

void CJoystickAxisThreshold::AddThreshold(std::unique_ptr<CAction> action, int percent) {
  if (!action) return;
  RemoveThreshold(percent);
  entries_.push_back({percent, std::move(action)});
}

void CJoystickAxisThreshold::RemoveThreshold(int percent) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->percent == percent) {
      StopActionCompletely(*it->action);
      entries_.erase(it);
      return;
    }
  }
}

CAction* CJoystickAxisThreshold::FindForValue(double value) const {
  CAction* best = nullptr;
  int bestPercent = -1;
  for (const Entry& entry : entries_) {
    if (static_cast<double>(entry.percent) < value && entry.percent > bestPercent) {
      best = entry.action.get();
      bestPercent = entry.percent;
    }
  }
  return best;
}

CAction* CJoystickAxisThreshold::FindThreshold(int percent) const {
  for (const Entry& entry : entries_) {
    if (entry.percent == percent) return entry.action.get();
  }
  return nullptr;
}

int CJoystickAxisThreshold::GetThresholdCount() const { return static_cast<int>(entries_.size()); }

CAction* CJoystickAxisThreshold::GetActiveAction() const {
  for (const Entry& entry : entries_) {
    if (entry.action->IsActive()) return entry.action.get();
  }
  return nullptr;
}

void CJoystickAxisThreshold::StopAll() {
  for (Entry& entry : entries_) StopActionCompletely(*entry.action);
}
