#include "profileedit/ActionUsers.h"

#include <algorithm>

#include "actions/TextRules.h"
#include "platform/Platform.h"
#include "profileedit/DocumentEdits.h"
#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace profileedit {

namespace {

bool Matches(const char* text, std::string_view wanted) {
  return text != nullptr && actions::EqualsIgnoringCase(text, wanted);
}

}  // namespace

bool UsesAction(const CXMLNode& root, std::string_view theme, std::string_view name) {
  // Buttons, hat directions and axis directions all hold their entries as "Action" elements.
  if (XMLNamesEqual(root.Name(), "Action") && Matches(AttributeText(root, "theme"), theme) &&
      Matches(AttributeText(root, "name"), name)) {
    return true;
  }
  return std::any_of(root.Children().begin(), root.Children().end(),
                     [&](const auto& child) { return UsesAction(*child, theme, name); });
}

std::vector<std::string> ProfilesUsingAction(const std::vector<std::string>& files,
                                             std::string_view theme, std::string_view name) {
  std::vector<std::string> users;
  for (const std::string& file : files) {
    if (std::find(users.begin(), users.end(), file) != users.end()) continue;
    // Read without a word: a profile that cannot be read is reported when it is loaded.
    const XMLReadResult read = ReadXMLFile(seam::ResolveProgramPath(file));
    if (read.root && UsesAction(*read.root, theme, name)) users.push_back(file);
  }
  return users;
}

std::string DeleteUsedActionQuestion(std::string_view name, std::vector<std::string> users,
                                     const std::optional<std::string>& open,
                                     std::string (*comparable)(const std::string&)) {
  if (open) {
    const std::string openPath = comparable(*open);
    if (std::none_of(users.begin(), users.end(),
                     [&](const std::string& user) { return comparable(user) == openPath; })) {
      users.push_back(*open);
    }
  }
  if (users.empty()) return {};
  std::string question = "The action \"" + std::string(name) + "\" is used by these profiles:\r\n";
  for (const std::string& user : users) question += user + "\r\n";
  return question + "Their inputs do nothing without it. Delete it anyway?";
}

}  // namespace profileedit
