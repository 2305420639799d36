#pragma once
// What the POSIX file handling and the POSIX file lock share: a descriptor
// that closes itself, the failure of a system call, and a path's folder.

#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/store/FileSafety.h"

namespace zorvanel::files {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int get() const { return fd_; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }
  // The descriptor, no longer closed here.
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

inline Failure Errno(std::string step) { return Failure{std::move(step), errno}; }

inline std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace zorvanel::files
