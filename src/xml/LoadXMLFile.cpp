#include <cctype>

#include "platform/Platform.h"
#include "xml/XMLLoad.h"
#include "xml/XMLNode.h"

namespace {
// Written only while no other thread loads documents (see XMLLoadObserver).
XMLLoadObserver* g_observer = nullptr;
}  // namespace

XMLLoadObserver* SetXMLLoadObserver(XMLLoadObserver* observer) {
  XMLLoadObserver* previous = g_observer;
  g_observer = observer;
  return previous;
}

std::string CouldNotOpenText(const std::string& path, const XMLReadResult& result) {
  std::string text = "Could not open the file \"" + path + "\"";
  // A file that is there but cannot be read says why: too large, a folder, no permission.
  if (!result.missing && !result.reason.empty()) {
    std::string reason = result.reason;
    reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    text += ": " + reason;
  }
  return text + ".";
}

std::string NotValidText(const std::string& path, const XMLReadResult& result) {
  return "The file \"" + path + "\" is not valid: " + result.reason + ", at " + result.Position() +
         ".";
}

XMLReadResult LoadXMLDocument(const char* path, XMLReport report) {
  if (g_observer != nullptr) g_observer->Loading(path);
  seam::NoteReadingFile(path);
  XMLReadResult result = ReadXMLFile(seam::ResolveProgramPath(path));
  // The path as the caller gave it, not the resolved one.
  if (result.status == XMLReadStatus::CannotOpen) {
    seam::ShowError(CouldNotOpenText(path, result), "Configuration Error");
  } else if (result.status == XMLReadStatus::Malformed && report == XMLReport::Everything) {
    seam::ShowError(NotValidText(path, result), "Configuration Error");
  }
  return result;
}

std::unique_ptr<CXMLNode> LoadXMLFile(const char* path) {
  return std::move(LoadXMLDocument(path, XMLReport::CannotOpen).root);
}
