// Careful file handling on POSIX: the lock is a flock on a file named after
// the locked file's device and inode in a private folder, and a replace is a
// new file (unnamed until it is complete, where the file system allows)
// renamed over the old one.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "platform/store/FileSafety.h"

namespace zorvanel::files {

namespace {

constexpr int kMaxNameAttempts = 100;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const { return fd_; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

Failure Errno(std::string step) { return Failure{std::move(step), errno}; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string Hex(unsigned long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", number);
  return text;
}

// A stable hash of a file name, for the lock of a file that does not exist.
std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  return hash;
}

std::string RandomSuffix() {
  static std::mt19937_64 random{std::random_device{}()};
  constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) {
    suffix.push_back(kLetters[random() % kLetters.size()]);
  }
  return suffix;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

// ---------------------------------------------------------------------------
// The lock folder: $XDG_RUNTIME_DIR/zorvanel, private to the user by
// definition; without it, /tmp/zorvanel-UID, which must then be this user's
// own folder that nobody else can enter.

std::optional<std::string> LockFolder(Failure* failure) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime && runtime[0] == '/'
                                 ? std::string(runtime) + "/zorvanel"
                                 : "/tmp/zorvanel-" + std::to_string(::geteuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    *failure = Errno("making the lock folder " + folder);
    return std::nullopt;
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    *failure = Errno("checking the lock folder " + folder);
    return std::nullopt;
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
    *failure = Failure{"the lock folder " + folder + " is not the user's private folder", EPERM};
    return std::nullopt;
  }
  return folder;
}

// One lock: the lock file, and the locked file itself held open, so that
// its inode cannot be freed and given to another file while the lock
// stands for it.
struct OneLock {
  std::string path;  // in the lock folder
  Descriptor fd;
  Descriptor locked;
};

// The lock's name for a file: its device and inode, so that every path to
// it meets the same lock.
std::string LockName(const struct stat& info) {
  return Hex(info.st_dev) + "-" + Hex(info.st_ino);
}

// A lock file can be removed by its holder between another instance's open
// and flock; a lock taken on such an orphan does not count, so it is taken
// again on the file now at that name.
FileLock::Status LockOne(const std::string& path, OneLock* lock, Failure* failure) {
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    Descriptor fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
      *failure = Errno("opening the lock file " + path);
      return FileLock::Status::kFailed;
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      if (errno == EWOULDBLOCK) return FileLock::Status::kInUse;
      *failure = Errno("locking " + path);
      return FileLock::Status::kFailed;
    }
    struct stat held {}, named {};
    if (::fstat(fd.get(), &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      *lock = OneLock{path, std::move(fd), Descriptor()};
      return FileLock::Status::kHeld;
    }
  }
  *failure = Failure{"locking " + path + ": it keeps being replaced", EAGAIN};
  return FileLock::Status::kFailed;
}

void Unlock(OneLock& lock) {
  ::unlink(lock.path.c_str());  // before the lock goes, so nobody takes an orphan
  lock.fd.Close();
  lock.locked = Descriptor();
}

// Opens the file (or, when it is missing, its folder) for the lock to hold;
// the lock's name.
std::optional<std::string> LockNameFor(const std::string& path, Descriptor* locked,
                                       Failure* failure) {
  struct stat info {};
  *locked = Descriptor(::open(path.c_str(), O_PATH | O_CLOEXEC));
  if (locked->get() >= 0 && ::fstat(locked->get(), &info) == 0) return LockName(info);
  if (errno != ENOENT) {
    *failure = Errno("looking at the file");
    return std::nullopt;
  }
  *locked = Descriptor(::open(FolderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (locked->get() < 0 || ::fstat(locked->get(), &info) != 0) {
    *failure = Errno("looking at the file's folder");
    return std::nullopt;
  }
  return LockName(info) + "-" + Hex(NameHash(NameOf(path)));
}

// ---------------------------------------------------------------------------
// The new file of a replace

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

struct Original {
  bool exists = false;
  struct stat info {};
};

// Makes the new file's content in the folder of `path` and gives it a
// temporary name. O_TMPFILE keeps it unnamed until it is complete, so a
// write cut short leaves nothing; file systems without it get a named file
// from the start.
std::optional<Failure> WriteTemporary(const std::string& path, std::string_view bytes,
                                      const Original& original, std::string* temporary) {
  const std::string prefix = TemporaryPrefix(path);
  Descriptor fd(::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  const bool unnamed = fd.get() >= 0;
  if (!unnamed) {
    std::string name = prefix + "XXXXXX";
    fd = Descriptor(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) return Errno("creating the new file");
    *temporary = name;
  }
  auto fail = [&](const char* step) {
    Failure failure = Errno(step);
    if (!unnamed) ::unlink(temporary->c_str());
    return failure;
  };
  if (original.exists) {
    if (::fchmod(fd.get(), original.info.st_mode & 07777) != 0) {
      return fail("giving the new file the old one's permissions");
    }
    // The owner stays; a group this user does not belong to cannot be kept.
    if ((original.info.st_uid != ::geteuid() || original.info.st_gid != ::getegid()) &&
        ::fchown(fd.get(), original.info.st_uid, original.info.st_gid) != 0 &&
        original.info.st_uid != ::geteuid()) {
      return fail("giving the new file the old one's owner");
    }
  } else if (!unnamed && ::fchmod(fd.get(), 0666 & ~CurrentUmask()) != 0) {
    return fail("setting the new file's permissions");
  }
  if (!WriteAll(fd.get(), bytes)) return fail("writing the new file");
  if (::fsync(fd.get()) != 0) return fail("flushing the new file to disk");
  if (unnamed) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
    for (int attempt = 0;; ++attempt) {
      *temporary = prefix + RandomSuffix();
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary->c_str(), AT_SYMLINK_FOLLOW) == 0) {
        break;
      }
      if (errno != EEXIST || attempt == kMaxNameAttempts) return Errno("naming the new file");
    }
  }
  if (!fd.Close()) return fail("closing the new file");
  return std::nullopt;
}

// Makes the rename itself durable. Failing here does not undo the write,
// which has already replaced the file, so the result is not reported.
void SyncFolderOf(const std::string& path) {
  Descriptor fd(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

std::string Failure::Text() const {
  if (code == 0) return step;
  return step + ": " + std::strerror(static_cast<int>(code)) + " (errno " + std::to_string(code) +
         ")";
}

// The lock on the file as opened comes first and stays; the lock on the
// latest replacement follows it.
struct FileLock::Held {
  std::vector<OneLock> locks;
  std::string folder;
};

FileLock::FileLock() : held_(std::make_unique<Held>()) {}

FileLock::~FileLock() {
  for (OneLock& lock : held_->locks) Unlock(lock);
}

FileLock::Status FileLock::Take(const std::string& path, Failure* failure) {
  const auto folder = LockFolder(failure);
  if (!folder) return Status::kFailed;
  Descriptor locked;
  const auto name = LockNameFor(path, &locked, failure);
  if (!name) return Status::kFailed;
  OneLock lock;
  const Status status = LockOne(*folder + "/" + *name, &lock, failure);
  if (status == Status::kHeld) {
    lock.locked = std::move(locked);
    held_->folder = *folder;
    held_->locks.push_back(std::move(lock));
  }
  return status;
}

std::optional<Failure> FileLock::Cover(const std::string& newFile) {
  Descriptor locked;
  Failure failure;
  const auto name = LockNameFor(newFile, &locked, &failure);
  if (!name) return failure;
  const std::string path = held_->folder + "/" + *name;
  for (const OneLock& lock : held_->locks) {
    if (lock.path == path) return std::nullopt;
  }
  OneLock lock;
  switch (LockOne(path, &lock, &failure)) {
    case Status::kHeld: break;
    case Status::kInUse: return Failure{"locking the new file: another instance holds it", EBUSY};
    case Status::kFailed: return failure;
  }
  lock.locked = std::move(locked);
  while (held_->locks.size() > 1) {
    Unlock(held_->locks.back());
    held_->locks.pop_back();
  }
  held_->locks.push_back(std::move(lock));
  return std::nullopt;
}

std::optional<Failure> WhyNotReplaceable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return Failure{"it is not a regular file"};
    // Write-protected for everyone is the user's decision, which root keeps too.
    if ((info.st_mode & 0222) == 0) return Failure{"it is write-protected"};
    if (info.st_uid != ::geteuid() && ::geteuid() != 0) return Failure{"it belongs to another user"};
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
      return Errno("it cannot be written");
    }
  }
  if (::faccessat(AT_FDCWD, FolderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    return Errno("its folder cannot be written");
  }
  return std::nullopt;
}

std::optional<Failure> ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes,
                                  bool* missing) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  *missing = fd.get() < 0 && errno == ENOENT;
  if (fd.get() < 0) return Errno("opening it");
  struct stat info {};
  if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode)) {
    bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), limit));
  }
  char buffer[64 * 1024];
  while (bytes.size() < limit) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return Errno("reading it");
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return std::nullopt;
}

std::optional<Failure> ReplaceAtomically(const std::string& path, std::string_view bytes,
                                         FileLock* lock) {
  if (const auto why = WhyNotReplaceable(path)) {
    return Failure{"it may not be replaced: " + why->step, why->code};
  }
  Original original;
  original.exists = ::stat(path.c_str(), &original.info) == 0;
  std::string temporary;
  if (auto failure = WriteTemporary(path, bytes, original, &temporary)) return failure;
  std::optional<Failure> failure;
  if (lock) failure = lock->Cover(temporary);
  if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
    failure = Errno("renaming the new file over it");
  }
  if (failure) {
    ::unlink(temporary.c_str());
    return failure;
  }
  SyncFolderOf(path);
  return std::nullopt;
}

// The new file is linked into place rather than renamed, since a link never
// replaces a file another instance made in the meantime.
std::optional<Failure> CreateWhole(const std::string& path, std::string_view bytes) {
  std::string temporary;
  if (auto failure = WriteTemporary(path, bytes, Original{}, &temporary)) return failure;
  std::optional<Failure> failure;
  if (::link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
    failure = Errno("linking the new file into place");
  }
  ::unlink(temporary.c_str());
  if (!failure) SyncFolderOf(path);
  return failure;
}

void RemoveInterruptedReplaces(const std::string& path) {
  const std::string prefix = NameOf(TemporaryPrefix(path));
  const std::string folder = FolderOf(path);
  DIR* entries = ::opendir(folder.c_str());
  if (!entries) return;
  while (const dirent* entry = ::readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) {
      continue;
    }
    struct stat info {};
    const std::string file = folder + "/" + std::string(name);
    if (::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid()) {
      ::unlink(file.c_str());
    }
  }
  ::closedir(entries);
}

}  // namespace zorvanel::files
