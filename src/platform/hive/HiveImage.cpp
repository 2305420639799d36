#include "platform/hive/HiveImage.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/store/PosixFile.h"

namespace zorvanel::hive {

namespace {

// Copies from `from` to `to` until the end or limit, in the kernel, which
// takes no memory of the program's own. False, with errno set, where the
// file system cannot (no sendfile) or reading fails.
bool CopyInKernel(int from, int to, std::size_t limit, std::size_t* size) {
  while (*size < limit) {
    const ssize_t copied = ::sendfile(to, from, nullptr, limit - *size);
    if (copied == 0) return true;
    if (copied < 0 && errno != EINTR) return false;
    if (copied > 0) *size += static_cast<std::size_t>(copied);
  }
  return true;
}

}  // namespace

std::optional<HiveImage> HiveImage::Read(const std::string& path, std::size_t limit, std::string* why) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    *why = std::strerror(errno);
    return std::nullopt;
  }
  if (static_cast<std::uint64_t>(info.st_size) > limit) {
    *why = "it is larger than any hive";
    return std::nullopt;
  }
  if (auto image = CopyInMemory(path, limit)) return image;
  std::string bytes;
  bool missing = false;
  if (const auto failure = files::ReadAtMost(path, limit, bytes, &missing)) {
    *why = failure->Text();
    return std::nullopt;
  }
  return HiveImage(path, std::move(bytes));
}

// The copy in memory, or nullopt where it cannot be made or read.
std::optional<HiveImage> HiveImage::CopyInMemory(const std::string& path, std::size_t limit) {
  files::Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  files::Descriptor memory(::memfd_create("zorvanel-hive", MFD_CLOEXEC));
  std::size_t size = 0;
  if (file.get() < 0 || memory.get() < 0 || !CopyInKernel(file.get(), memory.get(), limit, &size)) return std::nullopt;
  void* map = nullptr;
  if (size > 0) {
    map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, memory.get(), 0);
    if (map == MAP_FAILED) return std::nullopt;
  }
  return HiveImage(memory.Release(), map, size);
}

HiveImage::HiveImage(int fd, void* map, std::size_t size)
    : name_("/proc/self/fd/" + std::to_string(fd)), fd_(fd), map_(map), size_(size) {}

HiveImage::HiveImage(HiveImage&& other) noexcept
    : name_(std::move(other.name_)),
      fd_(std::exchange(other.fd_, -1)),
      map_(std::exchange(other.map_, nullptr)),
      size_(other.size_),
      bytes_(std::move(other.bytes_)) {}

HiveImage::~HiveImage() {
  if (map_) ::munmap(map_, size_);
  if (fd_ >= 0) ::close(fd_);
}

std::string_view HiveImage::Bytes() const {
  if (fd_ < 0) return bytes_;
  return {static_cast<const char*>(map_), size_};
}

}  // namespace zorvanel::hive
