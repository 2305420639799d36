#pragma once
// The cells of a regf hive file as Windows lays them out, read straight from
// its bytes with every offset checked: libhivex reads a hive lazily, so
// nothing it has not visited is known to be sound.
//   Offsets of cells count from the first hive bin, at file offset 4096.
//   A cell is a 32-bit size (negative while in use, a multiple of 8) and
//   then its data; bins are multiples of 4096 bytes and begin with "hbin".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::hive::regf {

// hivex holds a whole hive in memory; Windows XP's largest hives are some
// tens of megabytes.
inline constexpr std::size_t kMaxHiveBytes = 512u * 1024 * 1024;
inline constexpr std::size_t kBaseBlockSize = 4096;
inline constexpr std::size_t kMajorVersion = 20;
inline constexpr std::size_t kMinorVersion = 24;
inline constexpr std::size_t kRootCell = 36;
inline constexpr std::size_t kBinsSize = 40;

std::uint16_t Le16(std::string_view bytes, std::size_t at);
std::uint32_t Le32(std::string_view bytes, std::size_t at);
void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value);

// The cells in use in a hive's bins.
class Cells {
 public:
  // Indexes the bins of a whole hive file; nullopt, with why set, when the
  // bins themselves are broken.
  static std::optional<Cells> Index(std::string_view hive, std::string* why);

  // The data of the cell in use that begins at offset; empty when there is
  // none (outside the bins, inside another cell, or free).
  std::optional<std::string_view> Data(std::uint32_t offset) const;
  // Where the cell's data lies in the hive file.
  static std::size_t FileOffset(std::uint32_t offset) { return kBaseBlockSize + offset + 4; }
  // A number for each place a cell can begin, below Slots().
  static std::size_t Slot(std::uint32_t offset) { return offset / 8; }
  std::size_t Slots() const { return inUse_.size(); }

 private:
  explicit Cells(std::string_view bins) : bins_(bins), inUse_(bins.size() / 8) {}
  bool IndexBin(std::size_t start, std::string* why);

  std::string_view bins_;
  std::vector<bool> inUse_;  // by Slot(): a cell in use begins there
};

}  // namespace zorvanel::hive::regf
