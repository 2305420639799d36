// Careful file handling on POSIX, all but the lock (FileLock_posix.cpp): a
// replace is a new named file in the target's folder, flushed and renamed
// over the old one.

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/store/FileSafety.h"
#include "platform/store/PosixFile.h"

namespace zorvanel::files {

namespace {

constexpr int kMaxLinks = 40;

// What NTFS keeps of a file beyond its content, as ntfs-3g shows it.
constexpr const char* kKeptAttributes[] = {"system.ntfs_acl", "system.ntfs_attrib"};

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The file system cannot represent what was asked (a mode on FAT, an owner
// through FUSE): the file keeps what the file system gives it.
bool NotRepresentable(int error) {
  return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP;
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

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// ---------------------------------------------------------------------------
// The new file of a replace

// Gives the new file what the file system keeps of the old one; the modes
// and owners it cannot represent, and attributes it does not have, are let
// be. The security descriptor comes last, since a mode change on ntfs-3g
// rewrites it.
std::optional<Failure> KeepAttributes(const std::string& original, int fd) {
  struct stat info {};
  if (::stat(original.c_str(), &info) != 0) {
    if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0 && !NotRepresentable(errno)) {
      return Errno("setting the new file's permissions");
    }
    return std::nullopt;
  }
  if (::fchmod(fd, info.st_mode & 07777) != 0 && !NotRepresentable(errno)) {
    return Errno("giving the new file the old one's permissions");
  }
  // The owner stays; a group this user does not belong to cannot be kept.
  if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
      ::fchown(fd, info.st_uid, info.st_gid) != 0 && !NotRepresentable(errno)) {
    return Errno("giving the new file the old one's owner");
  }
  for (const char* name : kKeptAttributes) {
    const ssize_t size = ::getxattr(original.c_str(), name, nullptr, 0);
    if (size < 0) continue;  // not NTFS, or nothing kept
    std::vector<char> value(static_cast<std::size_t>(size));
    const ssize_t got = ::getxattr(original.c_str(), name, value.data(), value.size());
    if (got < 0) return Errno(std::string("reading the old file's ") + name);
    if (::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(got), 0) != 0) {
      return Errno(std::string("giving the new file the old one's ") + name);
    }
  }
  return std::nullopt;
}

// A named file from the start: ntfs-3g and FUSE FAT have no unnamed one.
std::optional<Failure> CreateTemporary(const std::string& path, Descriptor* fd,
                                       std::string* temporary) {
  *temporary = TemporaryPrefix(path) + "XXXXXX";
  *fd = Descriptor(::mkostemp(temporary->data(), O_CLOEXEC));
  if (fd->get() < 0) return Errno("creating the new file");
  return std::nullopt;
}

// Makes the new file at its temporary name, complete and on disk.
using Fill = std::function<std::optional<Failure>(int fd, const std::string& temporary)>;
std::optional<Failure> WriteTemporary(const std::string& path, const std::string& attributesOf,
                                      const Fill& fill, std::string* temporary) {
  Descriptor fd;
  if (auto failure = CreateTemporary(path, &fd, temporary)) return failure;
  std::optional<Failure> failure = KeepAttributes(attributesOf, fd.get());
  if (!failure) failure = fill(fd.get(), *temporary);
  if (!failure && ::fsync(fd.get()) != 0) failure = Errno("flushing the new file to disk");
  if (!failure && !fd.Close()) failure = Errno("closing the new file");
  if (failure) ::unlink(temporary->c_str());
  return failure;
}

Fill WriteBytes(std::string_view bytes) {
  return [bytes](int fd, const std::string&) -> std::optional<Failure> {
    if (!WriteAll(fd, bytes)) return Errno("writing the new file");
    return std::nullopt;
  };
}

// Makes the rename itself durable. Failing here does not undo the write,
// which has already replaced the file, so the result is not reported.
void SyncFolderOf(const std::string& path) {
  Descriptor fd(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

// beforeRename runs once the new file is complete, just before it takes the
// old one's place; when it fails, the old file stays.
using Step = std::function<std::optional<Failure>()>;
std::optional<Failure> Replace(const std::string& path, const Fill& fill, const Step& beforeRename = {}) {
  if (const auto why = WhyNotReplaceable(path)) {
    return Failure{"it may not be replaced: " + why->step, why->code};
  }
  std::string temporary;
  if (auto failure = WriteTemporary(path, path, fill, &temporary)) return failure;
  if (auto failure = beforeRename ? beforeRename() : std::nullopt) {
    ::unlink(temporary.c_str());
    return failure;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    Failure failure = Errno("renaming the new file over it");
    ::unlink(temporary.c_str());
    return failure;
  }
  SyncFolderOf(path);
  return std::nullopt;
}

// Moves the complete new file to `path` unless a file is there. A hard link
// never replaces a file; where there are none, rename without replacing, and
// where FUSE lacks even that, a plain rename after a look.
std::optional<Failure> PlaceWithoutReplacing(const std::string& temporary, const std::string& path) {
  if (::link(temporary.c_str(), path.c_str()) == 0 || errno == EEXIST) return std::nullopt;
  if (!NotRepresentable(errno) && errno != EMLINK) return Errno("linking the new file into place");
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0 ||
      errno == EEXIST) {
    return std::nullopt;
  }
  if (errno != EINVAL && errno != ENOSYS) return Errno("moving the new file into place");
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) return std::nullopt;
  if (::rename(temporary.c_str(), path.c_str()) != 0) return Errno("moving the new file into place");
  return std::nullopt;
}

}  // namespace

std::string Failure::Text() const {
  if (code == 0) return step;
  return step + ": " + std::strerror(static_cast<int>(code)) + " (errno " + std::to_string(code) +
         ")";
}

// Links are followed one by one rather than with realpath(), so that a link
// to a file that does not exist yet still leads to where that file will be.
std::string ResolvePath(const std::string& path) {
  std::string file = path;
  if (file.empty() || file[0] != '/') {
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return path;
    file = std::string(cwd) + "/" + file;
  }
  char target[PATH_MAX];
  for (int links = 0; links < kMaxLinks; ++links) {
    const ssize_t length = ::readlink(file.c_str(), target, sizeof target - 1);
    if (length < 0) break;
    const std::string next(target, static_cast<std::size_t>(length));
    file = next[0] == '/' ? next : FolderOf(file) + "/" + next;
  }
  char folder[PATH_MAX];
  if (!::realpath(FolderOf(file).c_str(), folder)) return file;
  const std::string resolved = folder;
  return (resolved == "/" ? "" : resolved) + "/" + NameOf(file);
}

std::string TemporaryPrefix(const std::string& path) {
  return FolderOf(path) + "/.zorvanel-" + NameOf(path) + "-";
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

// Reads straight into `bytes`, sized to the file beforehand: a hive is read
// in one request (FUSE splits it itself) and copied nowhere else on the way.
std::optional<Failure> ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes,
                                  bool* missing) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  *missing = fd.get() < 0 && errno == ENOENT;
  if (fd.get() < 0) return Errno("opening it");
  constexpr std::size_t kStep = 64 * 1024;  // past the size, to find the end or a file that grew
  struct stat info {};
  const std::size_t expected = ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode)
                                   ? std::min<std::size_t>(static_cast<std::size_t>(info.st_size), limit)
                                   : 0;
  const std::size_t start = bytes.size();
  bytes.reserve(start + std::min(limit, expected + kStep));
  while (bytes.size() - start < limit) {
    const std::size_t had = bytes.size();
    bytes.resize(start + std::min(limit, std::max(expected, had - start) + kStep));
    const ssize_t got = ::read(fd.get(), bytes.data() + had, bytes.size() - had);
    bytes.resize(had + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return Errno("reading it");
    }
  }
  return std::nullopt;
}

std::optional<Failure> ReplaceAtomically(const std::string& path, std::string_view bytes) {
  return Replace(path, WriteBytes(bytes));
}

// The library writes the file by its name; the descriptor held open is the
// same file, and flushes it.
std::optional<Failure> ReplaceByName(const std::string& path, const FillByName& fill) {
  return Replace(path, [&fill](int, const std::string& temporary) { return fill(temporary); });
}

// The link is made first, to a temporary name of keepAs (removed at the next
// start if a kill leaves it), and renamed over keepAs just before the new
// file takes path's place.
std::optional<Failure> ReplaceByNameKeepingOld(const std::string& path, const std::string& keepAs,
                                               const FillByName& fill, bool* noLinks) {
  *noLinks = false;
  Descriptor name;
  std::string kept;
  if (auto failure = CreateTemporary(keepAs, &name, &kept)) return failure;
  name.Close();
  ::unlink(kept.c_str());  // only its unique name was wanted; the lock keeps others away
  if (::link(path.c_str(), kept.c_str()) != 0) {
    *noLinks = NotRepresentable(errno) || errno == EMLINK;
    if (*noLinks) return std::nullopt;
    return Errno("linking it to keep it as " + keepAs);
  }
  auto failure = Replace(
      path, [&fill](int, const std::string& temporary) { return fill(temporary); },
      [&]() -> std::optional<Failure> {
        if (::rename(kept.c_str(), keepAs.c_str()) != 0) return Errno("keeping it as " + keepAs);
        return std::nullopt;
      });
  ::unlink(kept.c_str());  // left when the replace stopped before the rename, or when both names were one file
  return failure;
}

std::optional<Failure> CreateWhole(const std::string& path, std::string_view bytes) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0) return std::nullopt;
  std::string temporary;
  if (auto failure = WriteTemporary(path, path, WriteBytes(bytes), &temporary)) return failure;
  const auto failure = PlaceWithoutReplacing(temporary, path);
  ::unlink(temporary.c_str());  // what is left of it when it was linked or refused
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
