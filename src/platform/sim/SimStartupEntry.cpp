#include "platform/sim/SimStartupEntry.h"

#include <algorithm>
#include <cctype>

namespace seam {

bool SimStartupEntry::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool SimStartupEntry::Write(const std::string& name, const std::string& command) {
  std::lock_guard guard(lock_);
  if (!available_) return false;
  values_[name] = command;
  return true;
}

bool SimStartupEntry::Remove(const std::string& name) {
  std::lock_guard guard(lock_);
  if (!available_) return false;
  values_.erase(name);
  return true;
}

void SimStartupEntry::SetAvailable(bool available) {
  std::lock_guard guard(lock_);
  available_ = available;
}

std::optional<std::string> SimStartupEntry::Value(const std::string& name) {
  std::lock_guard guard(lock_);
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::size_t SimStartupEntry::Size() {
  std::lock_guard guard(lock_);
  return values_.size();
}

}  // namespace seam
