// The action library's lookup table: theme and name, ignoring ASCII case, to the action. Lookups
// fold case while hashing and comparing, so they allocate nothing. No lock of its own: it is a
// part of the library and guarded by the library lock.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CAction;

namespace actions {

class CActionIndex {
 public:
  // The action added under this theme and name; null when there is none. Templates are not
  // renamed once in the library; one that was anyway is not found under its old key.
  CAction* Find(std::string_view theme, std::string_view name) const;
  void Add(CAction* action);
  void Remove(const CAction* action);
  void Clear() { entries_.clear(); }

 private:
  struct Key {
    std::string theme;
    std::string name;
  };
  struct Probe {
    std::string_view theme;
    std::string_view name;
    Probe(std::string_view t, std::string_view n) : theme(t), name(n) {}
    Probe(const Key& key) : theme(key.theme), name(key.name) {}  // NOLINT: implicit on purpose
  };
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(const Probe& probe) const;
  };
  struct Equal {
    using is_transparent = void;
    bool operator()(const Probe& a, const Probe& b) const;
  };

  std::unordered_map<Key, CAction*, Hash, Equal> entries_;
};

}  // namespace actions
