#include "xml/XMLNode.h"

#include <algorithm>

namespace {

// Removes the element holding `item` and deletes it; false when there is none.
template <typename T>
bool RemoveOwned(std::vector<std::unique_ptr<T>>& list, const T* item) {
  if (item == nullptr) return false;
  const auto it = std::find_if(list.begin(), list.end(),
                               [item](const std::unique_ptr<T>& p) { return p.get() == item; });
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

bool XMLNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

CAttribute::CAttribute(const char* name, const char* value) : name_(name), value_(value) {}

CAttribute::CAttribute(std::string name, std::string value)
    : name_(std::move(name)), value_(std::move(value)) {}

CXMLNode::CXMLNode(const char* name) : name_(name) {}

CXMLNode::CXMLNode(std::string name) : name_(std::move(name)) {}

CAttribute* CXMLNode::FindAttribute(const char* name) const {
  const std::string_view wanted(name);
  for (const auto& a : attributes_) {
    if (XMLNamesEqual(a->Name(), wanted)) return a.get();
  }
  return nullptr;
}

CXMLNode* CXMLNode::FindChild(const char* name, const CXMLNode* after) const {
  auto it = children_.begin();
  if (after != nullptr) {
    it = std::find_if(children_.begin(), children_.end(),
                      [after](const std::unique_ptr<CXMLNode>& c) { return c.get() == after; });
    if (it == children_.end()) return nullptr;
    ++it;
  }
  const std::string_view wanted(name);
  for (; it != children_.end(); ++it) {
    if (XMLNamesEqual((*it)->Name(), wanted)) return it->get();
  }
  return nullptr;
}

CAttribute* CXMLNode::AddAttribute(const char* name, const char* value) {
  attributes_.push_back(std::make_unique<CAttribute>(name, value));
  return attributes_.back().get();
}

CAttribute* CXMLNode::AddAttribute(std::string name, std::string value) {
  attributes_.push_back(std::make_unique<CAttribute>(std::move(name), std::move(value)));
  return attributes_.back().get();
}

CXMLNode* CXMLNode::AddChild(std::unique_ptr<CXMLNode> child) {
  children_.push_back(std::move(child));
  return children_.back().get();
}

bool CXMLNode::RemoveChild(CXMLNode* child) { return RemoveOwned(children_, child); }

bool CXMLNode::RemoveAttribute(CAttribute* attribute) {
  return RemoveOwned(attributes_, attribute);
}
