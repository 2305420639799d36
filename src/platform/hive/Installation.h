#pragma once
// A Windows installation opened from Linux: its two hive files, found on a
// mounted partition or given one by one, held by one program at a time.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hive/HiveRegistry.h"

namespace zorvanel::hive {

struct HivePaths {
  std::string system;
  std::string software;
};

// DIR is the root of a Windows partition or its Windows folder. Finds
// WINDOWS or WINNT, then system32/config/system and software, ignoring case
// at every step (an NTFS mount on Linux is case-sensitive). Throws
// HiveFileError, listing what was found, unless there is exactly one.
HivePaths FindInstallation(const std::string& dir);

// A Windows installation found on a mounted file system.
struct MountedInstallation {
  std::string mountPoint;
  std::string type;  // the file system's, as mountinfo names it
  std::string windowsFolder;
};

// The installations at the roots of the file systems that mountinfo's text
// (see MountInfo.h) lists: each WINDOWS or WINNT folder there that holds
// both hives.
std::vector<MountedInstallation> FindMountedInstallations(std::string_view mountinfo);
// "FOLDER (TYPE mounted at POINT)"
std::string Describe(const MountedInstallation& found);
// The Windows folder of the only installation found; otherwise nothing, and
// why, listing what was found.
std::optional<std::string> OnlyInstallation(const std::vector<MountedInstallation>& found, std::string* why);

class Installation {
 public:
  // Locks the installation against other instances (one lock for both
  // hives, named after the system hive; no file is made on the Windows
  // partition for it), then opens both hives. Throws HiveFileError. A
  // failed commit is told through report (stderr without one).
  static std::unique_ptr<Installation> Open(const HivePaths& paths, HiveFile::Report report = {});
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  HiveRegistry& Registry() { return *registry_; }

 private:
  Installation() = default;
  files::FileLock lock_;  // outlives the registry, which commits what is left as it goes
  std::unique_ptr<HiveRegistry> registry_;
};

}  // namespace zorvanel::hive
