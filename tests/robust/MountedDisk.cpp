#include "tests/robust/MountedDisk.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "tests/robust/ChildProcess.h"

namespace zorvanel::robust {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kFat32Bytes = 64u * 1024 * 1024;

// Runs a tool (found in /usr/sbin or /usr/bin) to its end; why it failed,
// or the empty text.
std::string Run(std::vector<std::string> argv) {
  for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"}) {
    if (::access((folder + argv[0]).c_str(), X_OK) == 0) {
      argv[0] = folder + argv[0];
      break;
    }
  }
  ChildProcess tool(argv);
  const int status = tool.Finish();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
  return argv[0] + " failed (" + DescribeStatus(status) + "): " + tool.Errors() + tool.Output();
}

std::string WhyNoFuse() {
  const int fd = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
  if (fd < 0) return "/dev/fuse cannot be used here, so the FUSE mounts are skipped";
  ::close(fd);
  return "";
}

}  // namespace

std::string DiskName(Disk disk) {
  switch (disk) {
    case Disk::kLocal: return "local";
    case Disk::kNtfs: return "ntfs3g";
    case Disk::kFat: return "fusefat";
  }
  return "";
}

MountedDisk::MountedDisk(Disk disk, std::uintmax_t imageBytes) : root_(work_ / "mount") {
  if (disk == Disk::kLocal) {
    fs::create_directory(root_);
    return;
  }
  unusable_ = WhyNoFuse();
  skip_ = !unusable_.empty();
  if (skip_) return;
  const std::string image = (work_ / "disk.img").string();
  std::ofstream(image, std::ios::binary).close();
  fs::resize_file(image, imageBytes);
  fs::create_directory(root_);
  unusable_ = disk == Disk::kNtfs         ? Run({"mkntfs", "-F", "-q", "-f", image})
              : imageBytes >= kFat32Bytes ? Run({"mkfs.vfat", "-F", "32", image})
                                          : Run({"mkfs.vfat", image});
  if (unusable_.empty()) {
    unusable_ = disk == Disk::kNtfs ? Run({"ntfs-3g", image, root_.string()})
                                    : Run({"fusefat", "-o", "rw+,allow_other", image, root_.string()});
  }
  mounted_ = unusable_.empty();
}

MountedDisk::~MountedDisk() {
  if (readOnlyBind_) Run({"umount", "-l", root_.string()});
  if (mounted_) Run({"fusermount", "-u", "-z", root_.string()});
}

void MountedDisk::MakeReadOnly() {
  const std::string root = root_.string();
  std::string failed = Run({"mount", "--bind", root, root});
  readOnlyBind_ = failed.empty();
  if (failed.empty()) failed = Run({"mount", "-o", "remount,bind,ro", root});
  if (!failed.empty()) unusable_ = failed;
}

void MountedDisk::Vanish() {
  if (readOnlyBind_) Run({"umount", "-l", root_.string()});
  if (mounted_) unusable_ = Run({"fusermount", "-u", "-z", root_.string()});
  readOnlyBind_ = mounted_ = false;
}

TemporaryFilesOn::TemporaryFilesOn(const fs::path& folder) {
  if (const char* old = std::getenv("TMPDIR")) {
    saved_ = old;
    had_ = true;
  }
  ::setenv("TMPDIR", folder.c_str(), 1);
}

TemporaryFilesOn::~TemporaryFilesOn() {
  had_ ? ::setenv("TMPDIR", saved_.c_str(), 1) : ::unsetenv("TMPDIR");
}

}  // namespace zorvanel::robust
