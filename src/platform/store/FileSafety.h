#pragma once
// Careful handling of a file that one program instance owns and rewrites
// whole: the path resolved once, a lock that every other instance meets
// (whatever its user, environment or spelling of the path), a check that
// this user may replace the file, an atomic replace, and the reason of any
// failure. Written once for POSIX and once for Windows; the .reg store and
// the hive files both build on it. Every step works on the file systems a
// Windows installation lies on when Linux mounts it (NTFS through ntfs-3g or
// ntfs3, FAT32 through vfat or FUSE): nothing relies on hard links, inode
// numbers, or modes and owners the file system cannot keep.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zorvanel::files {

// Why a file operation failed: the step under way and the system's code
// (errno, or GetLastError() on Windows).
struct Failure {
  std::string step;
  long code = 0;

  // "renaming the new file over it: Permission denied (errno 13)"
  std::string Text() const;
};

// The file that `path` leads to, as an absolute path with every link
// followed. A path whose last component does not exist (yet) keeps that
// name in its resolved folder.
std::string ResolvePath(const std::string& path);

// Keeps other instances away from a file, for as long as it lives. The lock
// is named after what survives a replace: the device of the file's folder
// and the resolved path. It does not live beside the file: on Linux it is a
// locked file in /run/lock, which every user reaches, kept there for the
// next instance (one per target); on Windows a named mutex in the global
// namespace.
class FileLock {
 public:
  enum class Status { kHeld, kInUse, kFailed };
  FileLock();
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Locks the file at the resolved `path`; a missing file is locked by its
  // folder and name. On kFailed, *failure says why.
  Status Take(const std::string& path, Failure* failure);

  struct Held;

 private:
  std::unique_ptr<Held> held_;
};

// Why this user may not replace the file at the resolved `path` (write-
// protected, another user's, its folder or file system not writable);
// nullopt when it may. A missing file counts as writable.
std::optional<Failure> WhyNotReplaceable(const std::string& path);

// Reads the file into bytes, stopping once limit bytes are in.
// *missing tells a file that does not exist from other failures.
std::optional<Failure> ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes,
                                  bool* missing);

// Writes bytes to a new file in the same folder, flushes it to disk and
// moves it over `path`, keeping what the file system keeps of the old file:
// its permissions and owner, and on NTFS through ntfs-3g its Windows
// security descriptor and attributes. The file is then either the old file
// or the new one, never a mix.
std::optional<Failure> ReplaceAtomically(const std::string& path, std::string_view bytes);

// The same, for content that a library writes to a file it names: fill
// writes the new file at the temporary path it is given.
using FillByName = std::function<std::optional<Failure>(const std::string& temporary)>;
std::optional<Failure> ReplaceByName(const std::string& path, const FillByName& fill);

// ReplaceByName that also keeps the file it replaces as `keepAs` (in place of
// what is there), through a hard link made just before the rename: no byte
// is copied. Where the file system has no hard links nothing is done and
// *noLinks is set, for the caller to copy instead. (POSIX only.)
std::optional<Failure> ReplaceByNameKeepingOld(const std::string& path, const std::string& keepAs,
                                               const FillByName& fill, bool* noLinks);

// Puts bytes at `path` unless a file is there already (then nothing is
// written at all), the file appearing whole or not at all. Where the file
// system has no hard links, the holder of the file's lock is the only one
// who may make it.
std::optional<Failure> CreateWhole(const std::string& path, std::string_view bytes);

// Removes the temporary files that replaces of `path` left when they were
// cut short: only names this program gives them, only regular files, only
// the user's own.
void RemoveInterruptedReplaces(const std::string& path);

// The name prefix of those temporary files: a leading dot and the program's
// name, so that no file a user names is ever taken for one.
std::string TemporaryPrefix(const std::string& path);
inline constexpr std::size_t kTemporarySuffixLength = 6;

}  // namespace zorvanel::files
