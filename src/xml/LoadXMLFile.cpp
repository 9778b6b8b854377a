#include "platform/Platform.h"
#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

std::unique_ptr<CXMLNode> LoadXMLFile(const char* path) {
  XMLReadResult result = ReadXMLFile(seam::ResolveProgramPath(path));
  if (result.status == XMLReadStatus::CannotOpen) {
    // The path as the caller gave it, not the resolved one.
    seam::ShowError(std::string("Could not open the file \"") + path + "\".",
                    "Configuration Error");
  }
  return std::move(result.root);
}
