// The store file on POSIX: flock on a lock file beside the store, and a
// write that replaces the store by rename.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/store/StoreFile.h"
#include "platform/store/StoreFileSystem.h"

namespace zorvanel::store::files {

namespace {

constexpr mode_t kDefaultMode = 0644;

std::string ErrnoText(int error) { return std::strerror(error); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

// A replacement keeps the permissions the store had.
mode_t StoreMode(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return kDefaultMode;
  return info.st_mode & 07777;
}

// Makes the rename itself durable. Failing here does not undo the write,
// which has already replaced the store, so the result is not reported.
void SyncDirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::string directory = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

// The lock lives on a file beside the store rather than on the store itself,
// because every write replaces the store with a new file.
int TakeLock(const std::string& path) {
  const std::string lockPath = path + ".lock";
  Descriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kDefaultMode));
  if (fd.get() < 0) {
    throw StoreFileError("Cannot lock the store " + path + ": " + ErrnoText(errno));
  }
  while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) {
      throw StoreFileError("The store " + path + " is in use by another Zorvanel instance.");
    }
    throw StoreFileError("Cannot lock the store " + path + ": " + ErrnoText(errno));
  }
  return fd.Release();
}

void ReleaseLock(int lock) { ::close(lock); }  // closing releases the lock

ReadResult ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return {errno == ENOENT, ErrnoText(errno)};
  char buffer[64 * 1024];
  while (bytes.size() < limit) {
    ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return {false, ErrnoText(errno)};
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return {};
}

bool ReplaceAtomically(const std::string& path, std::string_view bytes) {
  std::string tempPath = path + std::string(kTempInfix) + std::string(kTempSuffixLength, 'X');
  const int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool written = ::fchmod(fd, StoreMode(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (!written || std::rename(tempPath.c_str(), path.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  SyncDirectoryOf(path);
  return true;
}

}  // namespace zorvanel::store::files
