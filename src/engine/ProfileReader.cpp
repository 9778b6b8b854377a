#include "engine/ProfileReader.h"

#include <cstdint>
#include <string>
#include <utility>

#include "actions/TextRules.h"
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

CProfileReader::CProfileReader(ProfileTarget target, std::string path, bool interactive)
    : target_(std::move(target)), path_(std::move(path)), interactive_(interactive) {}

std::optional<ProfileContents> CProfileReader::Read(const CXMLNode& root,
                                                    CProfileMessages& messages) const {
  if (!actions::EqualsIgnoringCase(root.Name(), "Joystick")) {
    messages.Error("The XML file doesn't contain valid joystick configuration information.");
    return std::nullopt;
  }
  if (!IdentityAccepted(root)) return std::nullopt;
  ProfileContents contents;
  if (const char* delay = actions::AttributeText(root, "Delay")) {
    // A delay the program cannot take as written is reported as it stands and not used.
    if (const auto value = actions::ReadDecimalWithin(delay, 0)) {
      contents.pollingDelay = *value;
    } else {
      messages.Error(actions::FillIn("The profile \"%s\" has an invalid Delay value: \"%s\".",
                                     {path_, delay}));
    }
  }
  ReadShiftButtons(root, contents);
  ReadAxes(root, contents);
  ReadButtons(root, contents);
  ReadPov(root, contents);
  return contents;
}

bool CProfileReader::IdentityAccepted(const CXMLNode& root) const {
  const char* name = actions::AttributeText(root, "name");
  if (name == nullptr || *name == '\0') return true;  // no identity to check
  const int id = actions::DecimalAttribute(root, "ID", -1);
  if (id == target_.id && actions::EqualsIgnoringCase(name, target_.deviceName)) return true;
  if (!interactive_) return true;  // automatic switching loads it without asking
  const std::string question = actions::FillIn(
      "The XML file \"%s\" seems to contain configuration to a different joystick from \"%s\" "
      "that is connected to ID %s.\r\nLoad it anyway?",
      {path_, target_.deviceName, std::to_string(target_.id)});
  return seam::Messages().Show(question, "Warning...", seam::MessageButtons::YesNo,
                               seam::MessageIcon::Warning) == seam::MessageAnswer::Yes;
}

int CProfileReader::ButtonPosition(int n) const {
  if (n < 1) return 0;
  const std::int64_t position = std::int64_t{n} + (target_.hasPov ? 4 : 0);
  return position <= target_.elementCount ? static_cast<int>(position) : 0;
}

void CProfileReader::ReadShiftButtons(const CXMLNode& root, ProfileContents& contents) const {
  ForEachChild(root.FindChild("ShiftButtons", nullptr), "ShiftButton", [&](const CXMLNode& entry) {
    const char* number = actions::AttributeText(entry, "ButtonNumber");
    if (number == nullptr) return;
    if (const int position = ButtonPosition(actions::ReadDecimal(number))) {
      contents.shiftButtons.push_back(position);
    }
  });
}

void CProfileReader::ReadAxes(const CXMLNode& root, ProfileContents& contents) const {
  ForEachChild(root.FindChild("Axes", nullptr), "Axis", [&](const CXMLNode& entry) {
    if (const char* name = actions::AttributeText(entry, "name")) {
      contents.axes.push_back({name, &entry});
    }
  });
}

void CProfileReader::ReadButtons(const CXMLNode& root, ProfileContents& contents) const {
  ForEachChild(root.FindChild("Buttons", nullptr), "Button", [&](const CXMLNode& entry) {
    const char* number = actions::AttributeText(entry, "number");
    if (number == nullptr) return;
    if (const int position = ButtonPosition(actions::ReadDecimal(number))) {
      contents.elements.push_back({position, &entry, {}});
    }
  });
}

void CProfileReader::ReadPov(const CXMLNode& root, ProfileContents& contents) const {
  if (!target_.hasPov) return;
  static constexpr const char* kDirections[] = {"forward", "right", "backward", "left"};
  ForEachChild(root.FindChild("POV", nullptr), "Direction", [&](const CXMLNode& entry) {
    const char* name = actions::AttributeText(entry, "name");
    if (name == nullptr) return;
    for (int i = 0; i < 4; ++i) {
      if (actions::EqualsIgnoringCase(name, kDirections[i])) {
        contents.elements.push_back({i + 1, &entry, {}});
        return;
      }
    }
    contents.elements.push_back(
        {0, nullptr, actions::FillIn("The name \"%s\" is not valid for a POV Direction.", {name})});
  });
}
