#include "profileedit/ProfileDocument.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "actions/TextRules.h"
#include "platform/Platform.h"
#include "profileedit/DocumentEdits.h"
#include "xml/XMLSave.h"

namespace profileedit {

namespace {

constexpr const char* kRootName = "Joystick";

// A missing or empty file starts a new profile. One that exists but cannot be read does not:
// it goes to the reader, which says why, and the page asks before anything is written over it.
bool StartsNewProfile(const std::string& path) {
  const seam::OpenedFile opened = seam::Files().OpenForReading(path);
  if (!opened.file) return opened.missing;
  return std::fgetc(opened.file.get()) == EOF;
}

}  // namespace

std::string InvalidProfileQuestion(std::string_view pathText) {
  return actions::FillIn(
      "The file \"%s\" doesn't seem to be a valid Tandrel Profile.\r\nIf you save a profile in "
      "this file you'll lose any other data this file contains.\r\nAre you sure you want to use "
      "it?",
      {pathText});
}

std::unique_ptr<CXMLNode> CreateProfileDocument(int controllerId, std::string_view controllerName) {
  auto root = std::make_unique<CXMLNode>(kRootName);
  root->AddAttribute("ID", std::to_string(controllerId));
  root->AddAttribute("name", std::string(controllerName));
  return root;
}

std::unique_ptr<CXMLNode> NewProfileFor(int controllerId, std::string_view controllerName) {
  auto root = CreateProfileDocument(controllerId, controllerName);
  if (controllerId < 0) SetControllerIdentity(*root, -1, "");
  return root;
}

bool ProfileFileMissing(const std::string& pathText) {
  return seam::Files().OpenForReading(seam::ResolveProgramPath(pathText)).missing;
}

std::unique_ptr<CXMLNode> OpenProfileDocument(const std::string& pathText, int controllerId,
                                              std::string_view controllerName) {
  const std::string path = seam::ResolveProgramPath(pathText);
  if (StartsNewProfile(path)) return CreateProfileDocument(controllerId, controllerName);
  return LoadXMLFile(path.c_str());
}

bool IsProfileDocument(const CXMLNode* root) {
  return root != nullptr && XMLNamesEqual(root->Name(), kRootName);
}

XMLSaveResult SaveProfileDocument(const CXMLNode& root, const std::string& pathText) {
  return SaveXMLFile(root, seam::ResolveProgramPath(pathText));
}

std::optional<std::string> ProfileControllerName(const CXMLNode& root) {
  const char* name = AttributeText(root, "name");
  if (name == nullptr) return std::nullopt;
  return std::string(name);
}

std::string PollingDelayText(const CXMLNode& root) {
  return NumberBoxText(root, "Delay", kDefaultPollingDelay);
}

bool SetControllerIdentity(CXMLNode& root, int controllerId, std::string_view controllerName) {
  if (controllerId < 0) {
    const bool removedID = RemoveAttribute(root, "ID");
    return RemoveAttribute(root, "name") || removedID;
  }
  const bool setID = SetAttribute(root, "ID", std::to_string(controllerId));
  return SetAttribute(root, "name", controllerName) || setID;
}

bool SetPollingDelay(CXMLNode& root, std::string_view typed, NumberSource source) {
  if (source == NumberSource::Shown && AttributeText(root, "delay") != nullptr) return false;
  return SetAttribute(root, "delay", std::to_string(EditNumber(typed).value_or(0)));
}

std::optional<int> EditNumber(std::string_view typed) {
  if (typed.empty()) return std::nullopt;
  long long value = 0;
  for (char c : typed) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(value);
}

std::string SaveFailedMessage(const std::string& pathText, const XMLSaveResult& saved) {
  if (!saved.refusal.empty()) return NotWrittenText(pathText, saved.refusal);
  return std::string(kSaveFailedText) + "\r\n" + SaveFailureText(pathText, saved);
}

std::string KeepReplacedProfile(const std::string& pathText) {
  const std::string resolved = seam::ResolveProgramPath(pathText);
  if (!seam::SystemFiles().OpenForReading(resolved).file) return {};  // nothing to keep
  if (KeepCopyOf(resolved)) return {};
  return "No copy of the file \"" + pathText +
         "\" could be kept beside it, so the profile was not written over it.";
}

}  // namespace profileedit
