#pragma once
// One registry hive file (the regf format) of a Windows installation, open
// through libhivex. Changes collect in memory and go to disk at Commit, all
// at once: the hive is written to a temporary file beside it, flushed, and
// renamed over it.

#include <functional>
#include <memory>
#include <optional>
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

// The copies Zorvanel keeps of a hive beside it. "system.zorvanel-original"
// is the hive before Zorvanel first changed it, never overwritten;
// "system.zorvanel-before" is the hive before this session's first change,
// replaced at the next session's first change.
inline constexpr const char* kOriginalSuffix = ".zorvanel-original";
inline constexpr const char* kBeforeSuffix = ".zorvanel-before";

class HiveFile {
 public:
  // Tells the user why a commit failed: the file, the step and the system's
  // error. Without one, the message goes to stderr.
  using Report = std::function<void(const std::string& message)>;

  // Reads and checks the file; a file that is not a sound hive is refused
  // with HiveFileError and left as it was. A hive that Windows did not write
  // back cleanly, or that this user may not replace, is opened read-only.
  // The caller holds the lock that keeps other instances away. This is the
  // one place where a hive is opened.
  static std::unique_ptr<HiveFile> Open(const std::string& path, Report report = {});
  ~HiveFile();
  HiveFile(const HiveFile&) = delete;
  HiveFile& operator=(const HiveFile&) = delete;

  hive_h* Handle() const { return hive_; }
  const std::string& Path() const { return path_; }
  // Why changes are refused, for the user; empty when the hive may be changed.
  const std::string& ReadOnlyReason() const { return readOnlyReason_; }
  bool ReadOnly() const { return !readOnlyReason_.empty(); }
  // No more changes to this hive, for the reason given.
  void MakeReadOnly(std::string reason) { readOnlyReason_ = std::move(reason); }

  // Notes that the hive in memory now differs from the file.
  void MarkChanged() { changed_ = true; }
  bool Changed() const { return changed_; }

  // Puts the changes made since the last commit on disk; at the session's
  // first, keeps the copies first. Nothing changed, nothing is written. When
  // any step fails the file stays as it was, the reason is reported, the
  // changes are dropped (the hive is read again) and the result is false.
  bool Commit();
  // Drops the changes made since the last commit.
  void Discard();

 private:
  HiveFile(std::string path, Report report) : path_(std::move(path)), report_(std::move(report)) {}
  // A copy of the hive as it is on disk, whole or not at all: the original
  // where there is none yet, or this session's in place of the last one.
  std::optional<files::Failure> KeepCopy(const char* suffix);
  // Puts the hive in memory in the file's place; at the session's first
  // commit the file it replaces is kept as this session's copy.
  std::optional<files::Failure> Replace();
  // The one place where a hive's bytes are committed: libhivex writes the
  // hive to the temporary file, which then takes the hive's place.
  std::optional<files::Failure> WriteTo(const std::string& temporary);

  std::string path_;
  Report report_;
  hive_h* hive_ = nullptr;
  std::string readOnlyReason_;
  bool changed_ = false;
  bool copiesKept_ = false;  // this session's
  // The hive's format predates "lh" lists (see HiveFormat.h).
  bool fastLeafLists_ = false;
};

}  // namespace zorvanel::hive
