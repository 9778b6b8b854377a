#include "config/ConfigDocument.h"

#include "actions/TextRules.h"
#include "xml/XMLNode.h"

namespace config {

bool IsTrueText(const char* text) {
  return text != nullptr && actions::EqualsIgnoringCase(text, "true");
}

bool IsEntryDisabled(const CXMLNode& entry) {
  const char* enabled = AttributeText(entry, "enabled");
  return enabled != nullptr && actions::EqualsIgnoringCase(enabled, "false");
}

bool ReadEntryId(const CXMLNode& entry, int& id) {
  const char* text = AttributeText(entry, "ID");
  if (text == nullptr) return false;
  id = actions::ReadDecimal(text);
  return true;
}

CXMLNode* FindJoystickEntry(const CXMLNode& joysticks, int id) {
  for (const auto& child : joysticks.Children()) {
    if (!actions::EqualsIgnoringCase(child->Name(), "Joystick")) continue;
    int entryId = 0;
    if (ReadEntryId(*child, entryId) && entryId == id) return child.get();
  }
  return nullptr;
}

void SetAttributeText(CXMLNode& node, const char* name, const std::string& value) {
  if (CAttribute* attribute = node.FindAttribute(name)) {
    attribute->SetValue(value);
  } else {
    node.AddAttribute(name, value.c_str());
  }
}

void RemoveAttributes(CXMLNode& node, const char* name) {
  while (CAttribute* attribute = node.FindAttribute(name)) node.RemoveAttribute(attribute);
}

}  // namespace config
