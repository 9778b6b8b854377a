#include "config/SwitchRules.h"

#include "actions/TextRules.h"
#include "config/ConfigDocument.h"
#include "platform/Types.h"
#include "xml/XMLNode.h"

namespace config {

std::vector<SwitchEntry> ReadSwitchEntries(const CXMLNode& joysticks) {
  std::vector<SwitchEntry> entries;
  for (const auto& child : joysticks.Children()) {
    if (!actions::EqualsIgnoringCase(child->Name(), "Joystick")) continue;
    SwitchEntry entry;
    if (!ReadEntryId(*child, entry.id) || entry.id < 0 || entry.id >= seam::kMaxJoysticks) {
      continue;
    }
    if (IsEntryDisabled(*child)) continue;
    const char* defaultFile = AttributeText(*child, "fileName");
    if (defaultFile == nullptr) continue;
    entry.defaultFile = defaultFile;
    for (const auto& rule : child->Children()) {
      if (!actions::EqualsIgnoringCase(rule->Name(), "Profile")) continue;
      const char* window = AttributeText(*rule, "window");
      const char* fileName = AttributeText(*rule, "fileName");
      if (window == nullptr || fileName == nullptr) continue;
      entry.rules.push_back({window, fileName});
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace config
