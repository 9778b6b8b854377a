#include "config/ConfigDocument.h"

#include <cctype>
#include <vector>

#include "actions/TextRules.h"
#include "platform/Platform.h"
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

namespace config {

std::string ComparablePath(const std::string& path) {
  std::string resolved = seam::ResolveProgramPath(path);
  for (char& c : resolved) {
    c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; start <= resolved.size(); start = end + 1) {
    end = resolved.find('/', start);
    if (end == std::string::npos) end = resolved.size();
    const std::string part = resolved.substr(start, end - start);
    if (part == "." || (part.empty() && !parts.empty())) continue;
    if (part == ".." && parts.size() > 1) {
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) joined += (i == 0 ? "" : "/") + parts[i];
  return joined;
}

std::vector<std::string> ProfileFileNames(const CXMLNode& joysticks) {
  std::vector<std::string> names;
  for (const auto& entry : joysticks.Children()) {
    if (!actions::EqualsIgnoringCase(entry->Name(), "Joystick")) continue;
    if (const char* fileName = AttributeText(*entry, "fileName")) names.emplace_back(fileName);
    for (const auto& rule : entry->Children()) {
      const char* ruleFile = AttributeText(*rule, "fileName");
      if (actions::EqualsIgnoringCase(rule->Name(), "Profile") && ruleFile != nullptr) {
        names.emplace_back(ruleFile);
      }
    }
  }
  return names;
}

std::string OtherUseOf(const std::string& path, const std::string& configPath,
                       const CXMLNode* joysticks) {
  const std::string wanted = ComparablePath(path);
  if (wanted == ComparablePath(configPath)) return "the configuration file";
  if (joysticks == nullptr) return {};
  for (const auto& entry : joysticks->Children()) {
    if (!actions::EqualsIgnoringCase(entry->Name(), "Joystick")) continue;
    const char* id = AttributeText(*entry, "ID");
    const std::string profileOf = "the profile of joystick " + std::string(id != nullptr ? id : "");
    const char* fileName = AttributeText(*entry, "fileName");
    if (fileName != nullptr && ComparablePath(fileName) == wanted) return profileOf;
    for (const auto& rule : entry->Children()) {
      const char* ruleFile = AttributeText(*rule, "fileName");
      if (actions::EqualsIgnoringCase(rule->Name(), "Profile") && ruleFile != nullptr &&
          ComparablePath(ruleFile) == wanted) {
        return profileOf;
      }
    }
  }
  return {};
}

}  // namespace config
