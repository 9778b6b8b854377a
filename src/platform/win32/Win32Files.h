// Files through the Win32 API. Paths are UTF-8, turned into wide paths at this boundary (with
// the long-path prefix for absolute ones), so any name Windows allows works, of any length.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace seam {

// Holds no state: one object serves every thread.
class Win32Files : public IFiles {
 public:
  OpenedFile OpenForReading(const std::string& path) override;
  FileWrite CreateDurably(const std::string& path, const std::string& bytes) override;
  // MoveFileExW with MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH, after giving the new
  // file the hidden, system and archive attributes of the old one.
  FileWrite Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  // Through a symbolic link (a reparse point) to the final file; otherwise `path`.
  std::string WriteTarget(const std::string& path) override;
};

// A UTF-8 path as the wide functions take it: separators as backslashes, and an absolute path
// ("C:\...", "\\server\share\...") behind the prefix that lifts the length limit.
std::wstring WidePath(const std::string& path);
// UTF-8 and UTF-16 both ways.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace seam
