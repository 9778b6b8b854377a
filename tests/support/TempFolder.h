// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of a file in the folder, in the system's own spelling.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};
