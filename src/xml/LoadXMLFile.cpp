#include "platform/Platform.h"
#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {
// Written only while no other thread loads documents (see XMLLoadObserver).
XMLLoadObserver* g_observer = nullptr;
}  // namespace

XMLLoadObserver* SetXMLLoadObserver(XMLLoadObserver* observer) {
  XMLLoadObserver* previous = g_observer;
  g_observer = observer;
  return previous;
}

std::unique_ptr<CXMLNode> LoadXMLFile(const char* path) {
  if (g_observer != nullptr) g_observer->Loading(path);
  XMLReadResult result = ReadXMLFile(seam::ResolveProgramPath(path));
  if (result.status == XMLReadStatus::CannotOpen) {
    // The path as the caller gave it, not the resolved one.
    seam::ShowError(std::string("Could not open the file \"") + path + "\".",
                    "Configuration Error");
  }
  return std::move(result.root);
}
