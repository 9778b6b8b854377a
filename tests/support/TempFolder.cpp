#include "TempFolder.h"

#include <atomic>
#include <random>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  // Unique across the test processes that run at the same time.
  path_ = fs::temp_directory_path() /
          ("tandrel-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++));
  fs::create_directory(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const { return (path_ / name).string(); }
