#pragma once
// The file systems mounted here, as /proc/self/mountinfo lists them: where a
// Windows installation from another disk may be found.

#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::hive {

struct Mount {
  std::string point;  // the mount point, its escapes undone
  std::string type;   // "fuseblk", "ntfs3", "fuse.fusefat", "vfat", ...
};

// The mounts that mountinfo's text lists, in its order, but for the kernel's
// own file systems (proc, sysfs, cgroup and the like), which hold no files.
// Lines that do not have mountinfo's form are passed over.
std::vector<Mount> MountedFileSystems(std::string_view mountinfo);

// The text of /proc/self/mountinfo; empty when it cannot be read.
std::string ReadMountInfo();

}  // namespace zorvanel::hive
