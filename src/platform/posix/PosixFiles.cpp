#include "platform/posix/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <vector>

namespace seam {

namespace {

// What the system says about an error, as the middle of a sentence: "permission denied".
std::string Reason(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

FileWrite Failed(int error) {
  FileWrite result;
  result.why = Reason(error);
  return result;
}

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

FileWrite PosixFiles::CreateDurably(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    FileWrite result = Failed(errno);
    result.nameTaken = errno == EEXIST;
    return result;
  }
  int error = WriteAll(fd, bytes) ? 0 : errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(path.c_str());
    return Failed(error);
  }
  return {true, false, {}};
}

FileWrite PosixFiles::Replace(const std::string& from, const std::string& to) {
  // The new file takes the place of the old one with its permissions: a file the user made
  // read-only, or readable by nobody else, stays so.
  struct stat old = {};
  if (::stat(to.c_str(), &old) == 0) {
    ::chmod(from.c_str(), old.st_mode & 07777);
    // Only root may give a file away; for anyone else the owner is already theirs.
    if (::chown(from.c_str(), old.st_uid, old.st_gid) != 0) {
    }
  }
  if (::rename(from.c_str(), to.c_str()) != 0) return Failed(errno);
  SyncFolderOf(to);
  return {true, false, {}};
}

void PosixFiles::Remove(const std::string& path) { ::unlink(path.c_str()); }

std::string PosixFiles::WriteTarget(const std::string& path) {
  // Link by link, so that a link to a file not made yet leads to where it will be.
  constexpr int kMaxLinks = 40;  // as the system's own limit for a path
  std::string target = path;
  for (int n = 0; n < kMaxLinks; ++n) {
    struct stat status = {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return target;
    std::vector<char> link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1);
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size()) return target;
    const std::string next(link.data(), static_cast<std::size_t>(length));
    const auto cut = target.find_last_of('/');
    target =
        next.front() == '/' || cut == std::string::npos ? next : target.substr(0, cut + 1) + next;
  }
  return path;  // a loop: there is no file to write through to
}

IFiles& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace seam
