#include "InputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string TooLarge() {
  return "the file is larger than " + std::to_string(kMaxInputFileSize >> 20) + " MiB";
}

}  // namespace

bool ReadInputFile(const std::string& path, std::string& text, std::string& reason) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason = std::strerror(errno != 0 ? errno : ENOENT);
    return false;
  }
  text.clear();
  try {
    char chunk[1 << 16];
    for (;;) {
      errno = 0;
      const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
      if (n > kMaxInputFileSize - text.size()) {
        reason = TooLarge();
        return false;
      }
      text.append(chunk, n);
      if (n < sizeof chunk) break;
    }
  } catch (const std::bad_alloc&) {
    reason = "not enough memory to read the file";
    return false;
  }
  if (std::ferror(file.get())) {
    reason = std::strerror(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}
