#include "xml/XMLSave.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// Writes the file at `path`; when it was created but not written whole, removes it again.
bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace

bool SaveXMLFile(const CXMLNode& root, const std::string& path) {
  const std::string temporary = path + ".tmp";
  if (!WriteWholeFile(temporary, root.ToText())) return false;
  // Replaces an existing target in one step, on Windows too (MoveFileEx with
  // MOVEFILE_REPLACE_EXISTING underneath).
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(temporary), std::filesystem::path(path), error);
  if (error) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
