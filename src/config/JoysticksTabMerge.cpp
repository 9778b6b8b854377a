#include "config/JoysticksTabMerge.h"

#include <memory>

#include "config/ConfigDocument.h"
#include "xml/XMLNode.h"

namespace {

CXMLNode& FindOrAppendChild(CXMLNode& parent, const char* name) {
  if (CXMLNode* child = parent.FindChild(name, nullptr)) return *child;
  return *parent.AddChild(std::make_unique<CXMLNode>(name));
}

void MergeController(CXMLNode& joysticks, int id, const JoysticksTabState::Controller& tab) {
  CXMLNode* entry = config::FindJoystickEntry(joysticks, id);
  if (tab.profile.empty() && tab.picture.empty()) {
    if (entry != nullptr) joysticks.RemoveChild(entry);
    return;
  }
  std::unique_ptr<CXMLNode> created;
  if (entry == nullptr) {
    created = std::make_unique<CXMLNode>("Joystick");
    created->AddAttribute("ID", std::to_string(id));
    entry = created.get();
  }
  if (tab.profile.empty()) {
    config::RemoveAttributes(*entry, "fileName");
  } else {
    config::SetAttributeText(*entry, "fileName", tab.profile);
  }
  if (tab.enabled) {
    config::RemoveAttributes(*entry, "enabled");
  } else {
    config::SetAttributeText(*entry, "enabled", "false");
  }
  if (tab.picture.empty()) {
    config::RemoveAttributes(*entry, "picture");
  } else {
    config::SetAttributeText(*entry, "picture", tab.picture);
  }
  if (created) joysticks.AddChild(std::move(created));
}

}  // namespace

void MergeJoysticksTab(CXMLNode& root, const JoysticksTabState& state) {
  config::SetAttributeText(FindOrAppendChild(root, "LaunchOnStartup"), "value",
                           state.launchOnStartup ? "true" : "false");
  if (root.FindChild("Actions", nullptr) == nullptr) {
    root.AddChild(std::make_unique<CXMLNode>("Actions"))->AddAttribute("fileName", "Actions.xml");
  }
  CXMLNode* joysticks = root.FindChild("Joysticks", nullptr);
  if (joysticks == nullptr) {
    bool anyProfile = false;
    for (const auto& controller : state.controllers) {
      anyProfile |= controller && !controller->profile.empty();
    }
    if (!anyProfile) return;
    joysticks = root.AddChild(std::make_unique<CXMLNode>("Joysticks"));
  }
  for (int id = 0; id < seam::kMaxJoysticks; ++id) {
    const auto& controller = state.controllers[static_cast<std::size_t>(id)];
    if (controller) MergeController(*joysticks, id, *controller);
  }
}
