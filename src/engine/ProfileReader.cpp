#include "engine/ProfileReader.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>

#include "actions/TextRules.h"
#include "engine/Joystick.h"
#include "engine/ProfileMessages.h"
#include "platform/Platform.h"
#include "xml/XMLNode.h"

namespace {

// Loops over the children of one name.
template <typename F>
void ForEachChild(const CXMLNode* parent, const char* name, F&& f) {
  if (parent == nullptr) return;
  for (const CXMLNode* child = parent->FindChild(name, nullptr); child != nullptr;
       child = parent->FindChild(name, child)) {
    f(*child);
  }
}

}  // namespace

CProfileReader::CProfileReader(CJoystick& joystick, std::string path, bool interactive)
    : joystick_(joystick),
      path_(std::move(path)),
      interactive_(interactive),
      pollingDelay_(CJoystick::kDefaultPollingDelay) {}

bool CProfileReader::Read(const CXMLNode& root) {
  CProfileMessages messages(interactive_);
  const bool accepted = ReadTree(root, messages);
  messages.ShowAll();
  return accepted;
}

bool CProfileReader::ReadTree(const CXMLNode& root, CProfileMessages& messages) {
  if (!actions::EqualsIgnoringCase(root.Name(), "Joystick")) {
    messages.Error("The XML file doesn't contain valid joystick configuration information.");
    return false;
  }
  if (!IdentityAccepted(root)) return false;
  if (const char* delay = actions::AttributeText(root, "Delay")) {
    // A delay the program cannot take as written is reported as it stands and not used.
    if (const auto value = actions::ReadDecimalWithin(delay, 0)) {
      pollingDelay_ = *value;
    } else {
      messages.Error(actions::FillIn("The profile \"%s\" has an invalid Delay value: \"%s\".",
                                     {path_, delay}));
    }
  }

  std::lock_guard elements(joystick_.elementsLock_);
  joystick_.elementsTouched_ = true;
  ReadShiftButtons(root);
  if (!ReadAxes(root, messages)) return false;
  ReadButtons(root, messages);
  ReadPov(root, messages);
  return true;
}

bool CProfileReader::IdentityAccepted(const CXMLNode& root) {
  const char* name = actions::AttributeText(root, "name");
  if (name == nullptr || *name == '\0') return true;  // no identity to check
  const int id = actions::DecimalAttribute(root, "ID", -1);
  const int joystickId = joystick_.GetId();
  const std::string device = joystick_.GetDeviceName();
  if (id == joystickId && actions::EqualsIgnoringCase(name, device)) return true;
  if (!interactive_) return true;  // automatic switching loads it without asking
  const std::string question = actions::FillIn(
      "The XML file \"%s\" seems to contain configuration to a different joystick from \"%s\" "
      "that is connected to ID %s.\r\nLoad it anyway?",
      {path_, device, std::to_string(joystickId)});
  return seam::Messages().Show(question, "Warning...", seam::MessageButtons::YesNo,
                               seam::MessageIcon::Warning) == seam::MessageAnswer::Yes;
}

int CProfileReader::ButtonPosition(int n) const {
  if (n < 1) return 0;
  const std::int64_t position =
      std::int64_t{n} + (joystick_.caps_.caps & seam::kCapsHasPov ? 4 : 0);
  return position <= static_cast<std::int64_t>(joystick_.buttons_.size())
             ? static_cast<int>(position)
             : 0;
}

void CProfileReader::ReadShiftButtons(const CXMLNode& root) {
  ForEachChild(root.FindChild("ShiftButtons", nullptr), "ShiftButton", [&](const CXMLNode& entry) {
    const char* number = actions::AttributeText(entry, "ButtonNumber");
    if (number == nullptr) return;
    if (const int position = ButtonPosition(actions::ReadDecimal(number))) {
      joystick_.AddShiftButtonLocked(position);
    }
  });
}

bool CProfileReader::ReadAxes(const CXMLNode& root, CProfileMessages& messages) {
  const CXMLNode* axes = root.FindChild("Axes", nullptr);
  if (axes == nullptr) return true;
  for (const CXMLNode* entry = axes->FindChild("Axis", nullptr); entry != nullptr;
       entry = axes->FindChild("Axis", entry)) {
    const char* name = actions::AttributeText(*entry, "name");
    if (name == nullptr) continue;
    CJoystickAxis* axis = joystick_.FindAxisLocked(name);
    if (axis == nullptr) continue;  // an axis this controller does not have
    if (!axis->Load(*entry, messages)) return false;
  }
  return true;
}

void CProfileReader::ReadButtons(const CXMLNode& root, CProfileMessages& messages) {
  ForEachChild(root.FindChild("Buttons", nullptr), "Button", [&](const CXMLNode& entry) {
    const char* number = actions::AttributeText(entry, "number");
    if (number == nullptr) return;
    if (const int position = ButtonPosition(actions::ReadDecimal(number))) {
      joystick_.LoadElementActionsLocked(position, &entry, messages);
    }
  });
}

void CProfileReader::ReadPov(const CXMLNode& root, CProfileMessages& messages) {
  if ((joystick_.caps_.caps & seam::kCapsHasPov) == 0) return;
  static constexpr const char* kDirections[] = {"forward", "right", "backward", "left"};
  ForEachChild(root.FindChild("POV", nullptr), "Direction", [&](const CXMLNode& entry) {
    const char* name = actions::AttributeText(entry, "name");
    if (name == nullptr) return;
    for (int i = 0; i < 4; ++i) {
      if (actions::EqualsIgnoringCase(name, kDirections[i])) {
        joystick_.LoadElementActionsLocked(i + 1, &entry, messages);
        return;
      }
    }
    messages.Error(actions::FillIn("The name \"%s\" is not valid for a POV Direction.", {name}));
  });
}
