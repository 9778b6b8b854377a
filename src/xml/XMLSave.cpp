#include "xml/XMLSave.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <random>

#include "platform/Platform.h"
#include "xml/XMLReader.h"

namespace {

// Temporary names differ between the saves of one process by a counter and between processes
// by a random start; creating them only where no file exists makes a clash harmless.
std::uint32_t NextTemporaryNumber() {
  static std::atomic<std::uint32_t> next{[] {
    try {
      return static_cast<std::uint32_t>(std::random_device()());
    } catch (...) {
      return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&next));
    }
  }()};
  return next.fetch_add(1);
}

std::string TemporaryNameBeside(const std::string& path) {
  char number[16];
  std::snprintf(number, sizeof number, "%08x", static_cast<unsigned>(NextTemporaryNumber()));
  return path + "." + number + ".tmp";
}

// The bytes of the file, none when it cannot be read or holds more than `limit`.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t limit = static_cast<std::size_t>(-1)) {
  seam::OpenedFile opened = seam::SystemFiles().OpenForReading(path);
  if (!opened.file) return std::nullopt;
  std::FILE* file = opened.file.get();
  std::string bytes;
  try {
    char buffer[64 * 1024];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      if (n > limit - bytes.size()) return std::nullopt;
      bytes.append(buffer, n);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (std::ferror(file)) return std::nullopt;
  return bytes;
}

// Names tried before giving up when every one is taken.
constexpr int kAttempts = 16;

}  // namespace

namespace {

// Counts the elements and attributes of a tree and finds its longest value.
void Measure(const CXMLNode& node, std::size_t& items, const CAttribute*& longest) {
  ++items;
  for (const auto& attribute : node.Attributes()) {
    ++items;
    if (longest == nullptr || attribute->Value().size() > longest->Value().size()) {
      longest = attribute.get();
    }
  }
  for (const auto& child : node.Children()) Measure(*child, items, longest);
}

}  // namespace

std::optional<std::string> WhyUnreadable(const CXMLNode& root, const std::string& text) {
  if (text.size() > kXMLMaxFileSize) {
    return "it would hold " + std::to_string(text.size()) + " bytes, more than the " +
           std::to_string(kXMLMaxFileSize) + " (" + std::to_string(kXMLMaxFileSize >> 20) +
           " MiB) that the program reads";
  }
  std::size_t items = 0;
  const CAttribute* longest = nullptr;
  Measure(root, items, longest);
  if (longest != nullptr && longest->Value().size() > kXMLMaxValueLength) {
    return "its \"" + std::string(longest->Name()) + "\" would hold " +
           std::to_string(longest->Value().size()) + " bytes, more than the " +
           std::to_string(kXMLMaxValueLength) + " that the program reads in a value";
  }
  if (items > kXMLMaxItems) {
    return "it would hold " + std::to_string(items) + " elements and attributes, more than the " +
           std::to_string(kXMLMaxItems) + " that the program reads";
  }
  return std::nullopt;
}

std::string NotWrittenText(const std::string& name, const std::string& refusal) {
  return "The file \"" + name + "\" was not written: " + refusal + ".";
}

std::string SaveFailureText(const std::string& name, const XMLSaveResult& result) {
  if (!result.refusal.empty()) return NotWrittenText(name, result.refusal);
  return "The file \"" + name + "\" could not be written: " +
         (result.why.empty() ? std::string("the system gave no reason") : result.why) + ".";
}

XMLSaveResult SaveXMLFile(const CXMLNode& root, const std::string& path) {
  const std::string text = root.ToText();
  // Never a file that the program could not read back.
  if (std::optional<std::string> refusal = WhyUnreadable(root, text)) {
    return {false, std::move(*refusal), {}};
  }
  seam::IFiles& files = seam::Files();
  // Beside the file itself, so that a link stays a link and the rename stays on one disk.
  const std::string target = files.WriteTarget(path);
  if (ReadWholeFile(target, text.size()) == text) return {true, {}, {}};
  std::string why;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string temporary = TemporaryNameBeside(target);
    const seam::FileWrite created = files.CreateDurably(temporary, text);
    if (!created) {
      why = created.why;
      if (created.nameTaken) continue;
      return {false, {}, why};
    }
    // The new bytes are on the disk: whatever happens now, the target is the old file or this.
    const seam::FileWrite replaced = files.Replace(temporary, target);
    if (replaced) return {true, {}, {}};
    files.Remove(temporary);
    return {false, {}, replaced.why};
  }
  return {false, {}, why};
}

namespace {

constexpr int kCopyNames = 99;

}  // namespace

std::optional<std::string> KeepCopyOf(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  for (int n = 1; n <= kCopyNames; ++n) {
    const std::string copy = n == 1 ? path + ".bak" : path + "." + std::to_string(n) + ".bak";
    const seam::FileWrite created = seam::Files().CreateDurably(copy, *bytes);
    if (created) return copy;
    if (!created.nameTaken) return std::nullopt;
  }
  return std::nullopt;
}
