#pragma once
// One registry hive file (the regf format) of a Windows installation, open
// through libhivex. Changes are made in memory and go to disk at Commit, all
// at once: the hive is written to a temporary file beside it, flushed, and
// renamed over it.

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/store/FileSafety.h"

struct hive_h;

namespace zorvanel::hive {

// The hive cannot be used; what() is the message for the user and names the file.
class HiveFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What Zorvanel keeps of a hive before it first changes it: "system" is kept
// as "system.zorvanel-original", and never overwritten.
inline constexpr const char* kOriginalSuffix = ".zorvanel-original";

class HiveFile {
 public:
  // Locks the file against other instances (the lock lives outside the
  // Windows partition), then reads and checks it; a file that is not a sound
  // hive is refused with HiveFileError and left as it was. A hive that
  // Windows did not write back cleanly, or that this user may not replace,
  // is opened read-only.
  static std::unique_ptr<HiveFile> Open(const std::string& path);
  ~HiveFile();
  HiveFile(const HiveFile&) = delete;
  HiveFile& operator=(const HiveFile&) = delete;

  hive_h* Handle() const { return hive_; }
  const std::string& Path() const { return path_; }
  // Why changes are refused, for the user; empty when the hive may be changed.
  const std::string& ReadOnlyReason() const { return readOnlyReason_; }
  bool ReadOnly() const { return !readOnlyReason_.empty(); }

  // Puts the changes made since the last commit on disk, keeping the
  // original first. When any step fails the file stays as it was, the
  // changes are dropped (the hive is read again) and the result is false.
  bool Commit();
  // Drops the changes made since the last commit.
  void Discard();

 private:
  explicit HiveFile(std::string path) : path_(std::move(path)) {}
  bool KeepOriginal() const;
  // The hive as libhivex would write it now; false when it cannot.
  bool CommittedBytes(std::string& bytes) const;

  std::string path_;
  files::FileLock lock_;
  hive_h* hive_ = nullptr;
  std::string readOnlyReason_;
};

}  // namespace zorvanel::hive
