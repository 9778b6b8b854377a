#include "xml/XMLSave.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>

#include "platform/Platform.h"

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

// Names tried before giving up when every one is taken.
constexpr int kAttempts = 16;

}  // namespace

bool SaveXMLFile(const CXMLNode& root, const std::string& path) {
  const std::string text = root.ToText();
  seam::IFiles& files = seam::Files();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string temporary = TemporaryNameBeside(path);
    bool nameTaken = false;
    if (!files.CreateDurably(temporary, text, nameTaken)) {
      if (nameTaken) continue;
      return false;
    }
    // The new bytes are on the disk: whatever happens now, the target is the old file or this.
    if (files.Replace(temporary, path)) return true;
    files.Remove(temporary);
    return false;
  }
  return false;
}
