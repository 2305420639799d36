#pragma once
// A hive file read once into memory, as a file of its own there. libhivex
// opens a hive only by its name, so it is given this copy's name: it then
// reads the very bytes that were checked, and the disk (on ntfs-3g, every
// read goes through FUSE) is read once. The copy is made by the kernel and
// mapped read-only, so the hive's size in new memory is spent only once,
// by libhivex. Where no such copy can be made (a limit on file sizes, no
// memfd, no sendfile), the bytes are read into the program's memory, and
// libhivex reads the file itself.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorvanel::hive {

class HiveImage {
 public:
  // Reads the file whole; nullopt, with why set for the user, when it
  // cannot or when the file is larger than limit.
  static std::optional<HiveImage> Read(const std::string& path, std::size_t limit, std::string* why);
  ~HiveImage();
  HiveImage(HiveImage&& other) noexcept;
  HiveImage(const HiveImage&) = delete;
  HiveImage& operator=(const HiveImage&) = delete;
  HiveImage& operator=(HiveImage&&) = delete;

  std::string_view Bytes() const;
  // A name that opens these bytes, while this lives.
  const std::string& Name() const { return name_; }

 private:
  static std::optional<HiveImage> CopyInMemory(const std::string& path, std::size_t limit);
  HiveImage(int fd, void* map, std::size_t size);
  HiveImage(std::string path, std::string bytes) : name_(std::move(path)), bytes_(std::move(bytes)) {}

  std::string name_;
  int fd_ = -1;          // the copy in memory, or -1
  void* map_ = nullptr;  // null when it is empty or there is none
  std::size_t size_ = 0;
  std::string bytes_;  // without a copy in memory
};

}  // namespace zorvanel::hive
