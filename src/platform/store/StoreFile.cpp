#include "platform/store/StoreFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

#include "platform/store/RegFile.h"

namespace zorvanel::store {

namespace {

constexpr mode_t kDefaultMode = 0644;
// A new store is written to "STORE.tmp-XXXXXX" first.
constexpr std::string_view kTempInfix = ".tmp-";
constexpr std::string_view kTempSuffix = "XXXXXX";

std::string ErrnoText(int error) { return std::strerror(error); }

// Closes the lock file unless Open succeeds and hands it to the StoreFile.
class LockHolder {
 public:
  explicit LockHolder(int fd) : fd_(fd) {}
  ~LockHolder() {
    if (fd_ >= 0) ::close(fd_);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// The lock lives on a file beside the store rather than on the store itself,
// because every write replaces the store with a new file.
int TakeLock(const std::string& path) {
  const std::string lockPath = path + ".lock";
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kDefaultMode);
  if (fd < 0) {
    throw StoreFileError("Cannot lock the store " + path + ": " + ErrnoText(errno));
  }
  LockHolder holder(fd);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) {
      throw StoreFileError("The store " + path + " is in use by another Zorvanel instance.");
    }
    throw StoreFileError("Cannot lock the store " + path + ": " + ErrnoText(errno));
  }
  return holder.Release();
}

// Reads the whole file into `bytes`, but no more than one byte past the
// largest store the reader accepts, which is enough for the reader to refuse
// it; returns 0 or the errno of the failure.
int ReadWholeFile(const std::string& path, std::string& bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  LockHolder closer(fd);
  char buffer[64 * 1024];
  while (bytes.size() <= kMaxFileBytes) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return 0;
}

// A temporary file of a write that was cut short (the process killed, the
// machine down) is left beside the store; the next instance to hold the
// store removes it.
void RemoveInterruptedWrites(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path store(path);
  const std::string prefix = store.filename().string() + std::string(kTempInfix);
  const fs::path folder = store.has_parent_path() ? store.parent_path() : fs::path(".");
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + kTempSuffix.size() && name.starts_with(prefix)) {
      fs::remove(entry.path(), error);
    }
  }
}

Key ReadStore(const std::string& path, bool createIfMissing) {
  std::string bytes;
  if (int error = ReadWholeFile(path, bytes)) {
    if (error == ENOENT && createIfMissing) {
      Key root;
      root.name = "HKEY_LOCAL_MACHINE";
      return root;
    }
    throw StoreFileError("Cannot open the store " + path + ": " + ErrnoText(error));
  }
  try {
    return ParseRegFile(bytes, path);
  } catch (const RegFileError& error) {
    throw StoreFileError("The store cannot be read: " + std::string(error.what()));
  }
}

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
  int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::unique_ptr<StoreFile> StoreFile::Open(const std::string& path, bool createIfMissing) {
  LockHolder lock(TakeLock(path));
  RemoveInterruptedWrites(path);
  Key content = ReadStore(path, createIfMissing);
  return std::unique_ptr<StoreFile>(new StoreFile(path, std::move(content), lock.Release()));
}

StoreFile::StoreFile(std::string path, Key content, int lockHandle)
    : path_(std::move(path)), content_(std::move(content)), lockHandle_(lockHandle) {}

StoreFile::~StoreFile() {
  if (lockHandle_ >= 0) ::close(lockHandle_);  // closing releases the lock
}

bool StoreFile::Write(const Key& root) {
  const std::string bytes = FormatRegFile(root);
  // What is written must read back as the very same tree. A store beyond
  // the reader's limits (a name or a value too long, a file too large), or
  // with a name the format cannot carry (one with a line break), would be
  // refused or misread at the next start, so it is never written.
  try {
    if (!(ParseRegFile(bytes, path_) == root)) return false;
  } catch (const RegFileError&) {
    return false;
  }
  std::string tempPath = path_ + std::string(kTempInfix) + std::string(kTempSuffix);
  int fd = ::mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) return false;

  bool written = ::fchmod(fd, StoreMode(path_)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (!written || std::rename(tempPath.c_str(), path_.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  SyncDirectoryOf(path_);
  content_ = root;
  return true;
}

}  // namespace zorvanel::store
