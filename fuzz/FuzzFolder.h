// A folder of the fuzzing process's own under the system's temporary folder, made at the first
// call and removed with everything in it when the process exits (libFuzzer's time and run
// limits end it with exit()). A crash leaves it beside the crash's artifact, which may need it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace fuzz {

inline std::filesystem::path* g_folder = nullptr;  // set once, on the fuzzing thread

inline void RemoveFolder() {
  std::error_code ignored;
  if (g_folder != nullptr) std::filesystem::remove_all(*g_folder, ignored);
}

inline const std::filesystem::path& Folder(const std::string& target) {
  if (g_folder == nullptr) {
    std::random_device random;
    g_folder =
        new std::filesystem::path(std::filesystem::temp_directory_path() /
                                  ("tandrel_fuzz_" + target + "_" + std::to_string(random())));
    std::filesystem::create_directories(*g_folder);
    std::atexit(RemoveFolder);
  }
  return *g_folder;
}

}  // namespace fuzz
