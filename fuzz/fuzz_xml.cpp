// Feeds arbitrary bytes to the XML reader. Beyond memory and undefined-behaviour errors it
// checks the reader's promises: reading in small pieces (the file path) gives the same result
// as reading from memory, and a tree that was read writes out as text that reads back to the
// same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

// A value holding both quote characters cannot be written so that it reads back.
bool WritableWhole(const CXMLNode& node) {
  for (const auto& a : node.Attributes()) {
    if (a->Value().find('"') != std::string::npos && a->Value().find('\'') != std::string::npos) {
      return false;
    }
  }
  for (const auto& c : node.Children()) {
    if (!WritableWhole(*c)) return false;
  }
  return true;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const XMLReadResult whole = ReadXMLMemory(text, size);

  const XMLReadResult pieces = ReadXMLMemoryInChunks(text, size, 1 + size % 13);
  Require(pieces.status == whole.status);
  Require(pieces.reason == whole.reason);
  Require(pieces.offset == whole.offset);
  Require(pieces.offset <= size);

  if (whole.root) {
    Require(pieces.root && pieces.root->ToText() == whole.root->ToText());
    if (WritableWhole(*whole.root)) {
      const std::string written = whole.root->ToText();
      const XMLReadResult again = ReadXMLMemory(written.data(), written.size());
      Require(again.root != nullptr);
      Require(again.root->ToText() == written);
    }
  }
  return 0;
}
