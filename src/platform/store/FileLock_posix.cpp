// The file lock on POSIX: a flock on a file in /run/lock named after the
// target's folder's device and its resolved path, which every user's
// instances meet and a replace leaves as it is.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/store/FileSafety.h"
#include "platform/store/PosixFile.h"

namespace zorvanel::files {

namespace {

constexpr int kMaxNameAttempts = 100;

// Where every user's instances meet: tmpfs, mode 1777 (sticky), on Debian.
constexpr const char* kLockFolders[] = {"/run/lock", "/var/lock", "/tmp"};

std::string Hex(unsigned long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", number);
  return text;
}

std::uint64_t PathHash(std::string_view path) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a
  for (char c : path) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  return hash;
}

std::string LockFolder() {
  for (const char* folder : kLockFolders) {
    struct stat info {};
    if (::stat(folder, &info) == 0 && S_ISDIR(info.st_mode)) return folder;
  }
  return "/tmp";
}

// The lock's name: the device of the target's folder and a hash of its
// resolved path, which a replace leaves as they are.
std::optional<std::string> LockPath(const std::string& path, Failure* failure) {
  struct stat folder {};
  if (::stat(FolderOf(path).c_str(), &folder) != 0) {
    *failure = Errno("looking at the file's folder");
    return std::nullopt;
  }
  return LockFolder() + "/zorvanel-" + Hex(folder.st_dev) + "-" + Hex(PathHash(path)) + ".lock";
}

// Opens the lock file that is there, or makes it, and locks it. In a shared
// sticky folder a name can be taken in advance: a link is never followed,
// and only a regular file of this user or of root is kept, since another
// user could remove it while it is held and so let a second instance in.
// Another user's file that nobody holds is replaced where this user may
// (root may); otherwise the target is refused.
FileLock::Status LockFile(const std::string& lock, Descriptor* held, Failure* failure) {
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    Descriptor fd(::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0 && errno == ENOENT) {
      fd = Descriptor(::open(lock.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
      if (fd.get() < 0 && errno == EEXIST) continue;
      if (fd.get() >= 0) ::fchmod(fd.get(), 0644);  // whatever the umask: every user locks it
    }
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
      *failure = Errno("opening the lock file " + lock);
      return FileLock::Status::kFailed;
    }
    if (!S_ISREG(info.st_mode)) {
      *failure = Failure{"the lock file " + lock + " is not a regular file", EEXIST};
      return FileLock::Status::kFailed;
    }
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      if (errno == EWOULDBLOCK) return FileLock::Status::kInUse;
      *failure = Errno("locking " + lock);
      return FileLock::Status::kFailed;
    }
    // The holder before may have removed the file as it let go, after this
    // one was opened: a lock on that file keeps nobody away.
    struct stat named {};
    if (::lstat(lock.c_str(), &named) != 0 || named.st_dev != info.st_dev || named.st_ino != info.st_ino) {
      continue;
    }
    if (info.st_uid == ::geteuid() || info.st_uid == 0) {
      *held = std::move(fd);
      return FileLock::Status::kHeld;
    }
    if (::unlink(lock.c_str()) != 0) {
      *failure = Failure{"the lock file " + lock + " belongs to another user", EPERM};
      return FileLock::Status::kFailed;
    }
  }
  *failure = Failure{"opening the lock file " + lock + ": it keeps being replaced", EAGAIN};
  return FileLock::Status::kFailed;
}

}  // namespace

// The lock file is removed while it is still held, so that lock files do
// not gather in the shared folder; a taker that finds it gone tries again.
// One left by a killed instance is reused by the next.
struct FileLock::Held {
  std::string lock;
  Descriptor fd;
  ~Held() {
    if (fd.get() >= 0) ::unlink(lock.c_str());
  }
};

FileLock::FileLock() : held_(std::make_unique<Held>()) {}

FileLock::~FileLock() = default;

FileLock::Status FileLock::Take(const std::string& path, Failure* failure) {
  const auto lock = LockPath(path, failure);
  if (!lock) return Status::kFailed;
  held_->lock = *lock;
  return LockFile(*lock, &held_->fd, failure);
}

}  // namespace zorvanel::files
