#include "profileedit/DocumentEdits.h"

#include <memory>

#include "actions/TextRules.h"

namespace profileedit {

const char* AttributeText(const CXMLNode& node, const char* name) {
  return actions::AttributeText(node, name);
}

int NumberAttribute(const CXMLNode& node, const char* name, int fallback) {
  return actions::DecimalAttribute(node, name, fallback);
}

std::string NumberBoxText(const CXMLNode& node, const char* name, int fallback) {
  const char* text = AttributeText(node, name);
  if (text == nullptr) return std::to_string(fallback);
  const std::optional<int> number = actions::ReadDecimalWithin(text, 0);
  return number ? std::to_string(*number) : std::string(text);
}

CXMLNode* FindChildNamed(const CXMLNode& parent, const char* element, const char* key,
                         std::string_view value) {
  for (CXMLNode* child = parent.FindChild(element, nullptr); child != nullptr;
       child = parent.FindChild(element, child)) {
    const char* text = AttributeText(*child, key);
    if (text != nullptr && XMLNamesEqual(text, value)) return child;
  }
  return nullptr;
}

CXMLNode* FindChildNumbered(const CXMLNode& parent, const char* element, const char* key,
                            int value) {
  for (CXMLNode* child = parent.FindChild(element, nullptr); child != nullptr;
       child = parent.FindChild(element, child)) {
    const char* text = AttributeText(*child, key);
    if (text != nullptr && actions::ReadDecimal(text) == value) return child;
  }
  return nullptr;
}

CXMLNode& FindOrAppendChild(CXMLNode& parent, const char* element) {
  if (CXMLNode* child = parent.FindChild(element, nullptr)) return *child;
  return *parent.AddChild(std::make_unique<CXMLNode>(element));
}

CXMLNode& AppendChild(CXMLNode& parent, const char* element, const char* key,
                      std::string_view value) {
  CXMLNode& child = *parent.AddChild(std::make_unique<CXMLNode>(element));
  child.AddAttribute(key, std::string(value));
  return child;
}

bool SetAttribute(CXMLNode& node, const char* name, std::string_view value, Compare compare) {
  CAttribute* attribute = node.FindAttribute(name);
  if (attribute == nullptr) {
    node.AddAttribute(name, std::string(value));
    return true;
  }
  const bool same = compare == Compare::Exact ? attribute->Value() == value
                                              : XMLNamesEqual(attribute->Value(), value);
  if (same) return false;
  attribute->SetValue(std::string(value));
  return true;
}

bool RemoveAttribute(CXMLNode& node, const char* name) {
  CAttribute* attribute = node.FindAttribute(name);
  return attribute != nullptr && node.RemoveAttribute(attribute);
}

}  // namespace profileedit
