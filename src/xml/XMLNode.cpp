#include "xml/XMLNode.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

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

void XMLText::Assign(std::string_view text) {
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::length_error("XMLText");
  const std::size_t size = text.size();
  char* copy = std::allocator<char>().allocate(size + 1);
  std::memcpy(copy, text.data(), size);
  copy[size] = '\0';
  Release();
  data_ = copy;
  size_ = static_cast<std::uint32_t>(size);
  owned_ = true;
}

void XMLText::Release() {
  if (owned_) std::allocator<char>().deallocate(const_cast<char*>(data_), std::size_t{size_} + 1);
  data_ = "";
  size_ = 0;
  owned_ = false;
}

CAttribute::CAttribute(const char* name, const char* value)
    : CAttribute(std::string_view(name), std::string_view(value)) {}

CAttribute::CAttribute(std::string_view name, std::string_view value)
    : name_(name), value_(value) {}

void CAttribute::operator delete(CAttribute* attribute, std::destroying_delete_t) {
  const bool inArena = attribute->inArena_;
  attribute->~CAttribute();
  if (!inArena) ::operator delete(attribute);
}

CXMLNode::CXMLNode(const char* name) : CXMLNode(std::string_view(name)) {}

CXMLNode::CXMLNode(std::string_view name) : name_(name) {}

// The lists go before the arena that may hold them (see arena_).
CXMLNode::~CXMLNode() = default;

void CXMLNode::operator delete(CXMLNode* node, std::destroying_delete_t) {
  const bool inArena = node->inArena_;
  node->~CXMLNode();
  if (!inArena) ::operator delete(node);
}

CAttribute* CXMLNode::FindAttribute(const char* name) const {
  const std::string_view wanted(name);
  for (const auto& a : Attributes()) {
    if (XMLNamesEqual(a->Name(), wanted)) return a.get();
  }
  return nullptr;
}

CXMLNode* CXMLNode::FindChild(const char* name, const CXMLNode* after) const {
  const auto children = Children();
  auto it = children.begin();
  if (after != nullptr) {
    it = std::find_if(children.begin(), children.end(),
                      [after](const std::unique_ptr<CXMLNode>& c) { return c.get() == after; });
    if (it == children.end()) return nullptr;
    ++it;
  }
  const std::string_view wanted(name);
  for (; it != children.end(); ++it) {
    if (XMLNamesEqual((*it)->Name(), wanted)) return it->get();
  }
  return nullptr;
}

CAttribute* CXMLNode::AddAttribute(const char* name, const char* value) {
  return attributes_.Append(std::make_unique<CAttribute>(name, value));
}

CAttribute* CXMLNode::AddAttribute(std::string_view name, std::string_view value) {
  return attributes_.Append(std::make_unique<CAttribute>(name, value));
}

CXMLNode* CXMLNode::AddChild(std::unique_ptr<CXMLNode> child) {
  return children_.Append(std::move(child));
}

bool CXMLNode::RemoveChild(CXMLNode* child) { return child != nullptr && children_.Remove(child); }

bool CXMLNode::RemoveAttribute(CAttribute* attribute) {
  return attribute != nullptr && attributes_.Remove(attribute);
}
