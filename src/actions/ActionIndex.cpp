#include "actions/ActionIndex.h"

#include "actions/Action.h"
#include "actions/TextRules.h"

namespace actions {

namespace {

// FNV-1a over the case-folded bytes.
void HashInto(std::size_t& hash, std::string_view text) {
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(FoldCase(c));
    hash *= static_cast<std::size_t>(1099511628211ULL);
  }
}

}  // namespace

std::size_t CActionIndex::Hash::operator()(const Probe& probe) const {
  std::size_t hash = static_cast<std::size_t>(14695981039346656037ULL);
  HashInto(hash, probe.theme);
  hash ^= 0xFF;  // separates "ab"+"c" from "a"+"bc"
  hash *= static_cast<std::size_t>(1099511628211ULL);
  HashInto(hash, probe.name);
  return hash;
}

bool CActionIndex::Equal::operator()(const Probe& a, const Probe& b) const {
  return EqualsIgnoringCase(a.theme, b.theme) && EqualsIgnoringCase(a.name, b.name);
}

CAction* CActionIndex::Find(std::string_view theme, std::string_view name) const {
  const auto it = entries_.find(Probe(theme, name));
  if (it == entries_.end()) return nullptr;
  CAction* action = it->second;
  if (!EqualsIgnoringCase(action->GetTheme(), theme) ||
      !EqualsIgnoringCase(action->GetName(), name)) {
    return nullptr;
  }
  return action;
}

void CActionIndex::Add(CAction* action) {
  entries_.insert_or_assign(Key{action->GetTheme(), action->GetName()}, action);
}

void CActionIndex::Remove(const CAction* action) {
  std::erase_if(entries_, [action](const auto& entry) { return entry.second == action; });
}

}  // namespace actions
