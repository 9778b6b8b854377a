#include "platform/posix/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace seam {

namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The folder entry of a rename is durable only once the folder itself is synced.
void SyncFolderOf(const std::string& path) {
  const auto cut = path.find_last_of('/');
  const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems cannot sync a folder; the rename itself has happened then.
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

OpenedFile PosixFiles::OpenForReading(const std::string& path) {
  OpenedFile opened;
  // Without blocking: opening a pipe for reading would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    opened.why = std::strerror(errno);
    opened.missing = errno == ENOENT;
    return opened;
  }
  struct stat status = {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    opened.why = S_ISDIR(status.st_mode) ? "it is a folder"
                                         : "it is not a regular file (a device or a pipe)";
    return opened;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  opened.file.reset(::fdopen(fd, "rb"));
  if (!opened.file) {
    opened.why = std::strerror(errno);
    ::close(fd);
  }
  return opened;
}

bool PosixFiles::CreateDurably(const std::string& path, const std::string& bytes, bool& nameTaken) {
  nameTaken = false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    nameTaken = errno == EEXIST;
    return false;
  }
  bool ok = WriteAll(fd, bytes);
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) ::unlink(path.c_str());
  return ok;
}

bool PosixFiles::Replace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  SyncFolderOf(to);
  return true;
}

void PosixFiles::Remove(const std::string& path) { ::unlink(path.c_str()); }

IFiles& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace seam
