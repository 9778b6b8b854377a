#include "profileedit/ShiftButtons.h"

#include <algorithm>
#include <memory>
#include <string>

#include "profileedit/DocumentEdits.h"
#include "profileedit/ElementEntries.h"

namespace profileedit {

std::vector<int> ReadShiftButtons(const CXMLNode& root) {
  std::vector<int> buttons;
  const CXMLNode* list = root.FindChild("ShiftButtons", nullptr);
  if (list == nullptr) return buttons;
  for (const CXMLNode* shift = list->FindChild("ShiftButton", nullptr); shift != nullptr;
       shift = list->FindChild("ShiftButton", shift)) {
    const int number = NumberAttribute(*shift, "buttonNumber", 0);
    if (number >= 1 && number <= kButtonEntryCount &&
        std::find(buttons.begin(), buttons.end(), number) == buttons.end()) {
      buttons.push_back(number);
    }
  }
  return buttons;
}

void RebuildShiftButtons(CXMLNode& root, const std::vector<int>& buttons) {
  if (CXMLNode* old = root.FindChild("ShiftButtons", nullptr)) root.RemoveChild(old);
  CXMLNode& list = *root.AddChild(std::make_unique<CXMLNode>("ShiftButtons"));
  for (int number : buttons)
    AppendChild(list, "ShiftButton", "buttonNumber", std::to_string(number));
}

}  // namespace profileedit
