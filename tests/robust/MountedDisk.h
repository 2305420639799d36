#pragma once
// The file systems a Windows installation lies on, as Linux mounts them:
// NTFS through ntfs-3g and FAT32 through fusefat, each on an image file
// that the test makes. Where FUSE cannot be used, or a tool is missing, the
// disk says why and the test skips.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/robust/TempDirectory.h"

namespace zorvanel::robust {

enum class Disk { kLocal, kNtfs, kFat };
std::string DiskName(Disk disk);

class MountedDisk {
 public:
  // Mounts a fresh disk of the kind; kLocal is a plain temporary folder. An
  // image under 64 MB is formatted FAT12 or FAT16 rather than FAT32.
  explicit MountedDisk(Disk disk, std::uintmax_t imageBytes = 96u * 1024 * 1024);
  ~MountedDisk();
  MountedDisk(const MountedDisk&) = delete;
  MountedDisk& operator=(const MountedDisk&) = delete;

  // Why the disk could not be made; empty when it is mounted.
  const std::string& Unusable() const { return unusable_; }
  // Whether that is because FUSE cannot be used here, rather than a fault.
  bool Skipped() const { return skip_; }
  const std::filesystem::path& Root() const { return root_; }

  // Makes the mount read-only from now on (a read-only bind of it over it),
  // as a disk that Windows left hibernated is mounted.
  void MakeReadOnly();
  // Detaches the mount at once, as when the disk is pulled: its folder is
  // then the empty mount point.
  void Vanish();

 private:
  TempDirectory work_{"disk"};
  std::filesystem::path root_;
  bool mounted_ = false;
  bool readOnlyBind_ = false;
  bool skip_ = false;
  std::string unusable_;
};

// Skips the test, saying why, where FUSE cannot be used; fails it when the
// disk could not be made otherwise.
#define ZORVANEL_SKIP_UNLESS_MOUNTED(disk)                             \
  if ((disk).Skipped()) GTEST_SKIP() << (disk).Unusable();            \
  ASSERT_EQ((disk).Unusable(), "") << "the disk could not be mounted"

// Points TMPDIR (and so every TempDirectory and scenario folder) at the
// disk while it lives.
class TemporaryFilesOn {
 public:
  explicit TemporaryFilesOn(const std::filesystem::path& folder);
  ~TemporaryFilesOn();

 private:
  std::string saved_;
  bool had_ = false;
};

}  // namespace zorvanel::robust
