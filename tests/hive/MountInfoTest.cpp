// Finding Windows installations on the mounted file systems, from the text
// of /proc/self/mountinfo.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/hive/Installation.h"
#include "platform/hive/MountInfo.h"
#include "tests/hive/EmptyHive.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::hive {
namespace {

namespace fs = std::filesystem;

TEST(MountInfo, ListsEveryFileSystemButTheKernelsOwn) {
  const struct {
    const char* line;
    const char* point;  // null: left out
    const char* type;
  } cases[] = {
      {"36 25 0:32 / /mnt/c rw,relatime shared:1 - fuseblk /dev/sda1 rw,user_id=0", "/mnt/c", "fuseblk"},
      {"37 25 0:33 / /media/u/WIN\\040XP rw - ntfs3 /dev/sdb1 rw", "/media/u/WIN XP", "ntfs3"},
      {"38 25 0:34 / /mnt/a\\011b\\134c\\012d rw - vfat /dev/sdc1 rw", "/mnt/a\tb\\c\nd", "vfat"},
      {"39 25 0:35 / /tmp/disk/mount rw,nosuid - fuse /dev/fuse rw", "/tmp/disk/mount", "fuse"},
      {"40 25 0:36 / /mnt/fat rw master:4 propagate_from:2 - fuse.fusefat fusefat rw", "/mnt/fat", "fuse.fusefat"},
      {"41 25 0:37 / /mnt/odd\\04 rw - ext4 /dev/sdd1 rw", "/mnt/odd\\04", "ext4"},
      {"22 1 0:21 / /proc rw - proc proc rw", nullptr, nullptr},
      {"23 1 0:22 / /sys rw - sysfs sysfs rw", nullptr, nullptr},
      {"24 23 0:23 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw", nullptr, nullptr},
      {"26 1 0:5 / /dev rw - devtmpfs udev rw", nullptr, nullptr},
      {"27 26 0:24 / /dev/pts rw - devpts devpts rw", nullptr, nullptr},
      {"28 1 0:25 / /sys/fs/fuse/connections rw - fusectl fusectl rw", nullptr, nullptr},
      {"29 1 0:26 / /mnt/broken rw", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto mounts = MountedFileSystems(c.line);
    if (!c.point) {
      EXPECT_TRUE(mounts.empty());
      continue;
    }
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].point, c.point);
    EXPECT_EQ(mounts[0].type, c.type);
  }
}

// Three mounted folders: one with an installation in a folder named in lower
// case, one with two (WINDOWS and WINNT), one with a Windows folder lacking
// its hives; and the kernel's proc, whose folder holds one too.
TEST(MountInfo, FindsTheInstallationsAtTheMountsRoots) {
  const robust::TempDirectory dir{"mounts"};
  const store::Key empty{"HKEY_LOCAL_MACHINE", {}, {}};
  ASSERT_TRUE(MakeInstallation(empty, dir / "one", 1));
  fs::rename(dir / "one" / "WINDOWS", dir / "one" / "windows");
  ASSERT_TRUE(MakeInstallation(empty, dir / "two", 1));
  fs::copy(dir / "two" / "WINDOWS", dir / "two" / "WINNT", fs::copy_options::recursive);
  fs::create_directories(dir / "none" / "WINDOWS" / "system32" / "config");
  ASSERT_TRUE(MakeInstallation(empty, dir / "proc", 1));
  auto line = [&](const char* name, const char* type) {
    return "30 1 0:40 / " + (dir / name).string() + " rw - " + type + " src rw\n";
  };
  const auto found = FindMountedInstallations(line("one", "fuseblk") + line("two", "vfat") +
                                              line("none", "ntfs3") + line("proc", "proc"));
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(Describe(found[0]), (dir / "one" / "windows").string() + " (fuseblk mounted at " +
                                    (dir / "one").string() + ")");
  EXPECT_EQ(found[1].windowsFolder, (dir / "two" / "WINDOWS").string());
  EXPECT_EQ(found[2].windowsFolder, (dir / "two" / "WINNT").string());

  std::string why;
  EXPECT_EQ(OnlyInstallation({found[0]}, &why), found[0].windowsFolder);
  EXPECT_EQ(OnlyInstallation({}, &why), std::nullopt);
  EXPECT_EQ(why, "There is no Windows installation on the mounted file systems; give its folder.");
  EXPECT_EQ(OnlyInstallation(found, &why), std::nullopt);
  EXPECT_NE(why.find("several"), std::string::npos);
  EXPECT_NE(why.find("\n  " + Describe(found[2])), std::string::npos) << why;
}

}  // namespace
}  // namespace zorvanel::hive
