#include "platform/hive/HiveFormat.h"

#include "platform/hive/RegfCells.h"

namespace zorvanel::hive {

namespace {

constexpr std::uint32_t kOldestReadable = 2;  // libhivex reads 1.2 and later
constexpr std::uint32_t kOldestWritable = 3;  // the first with "lf" lists
constexpr std::uint32_t kFirstWithHashLeaves = 5;
constexpr std::uint32_t kNewestKnown = 6;     // Windows 10's

std::string Name(HiveFormat format) {
  return "the registry format " + std::to_string(format.major) + "." + std::to_string(format.minor);
}

}  // namespace

HiveFormat ReadFormat(std::string_view baseBlock) {
  return {regf::Le32(baseBlock, regf::kMajorVersion), regf::Le32(baseBlock, regf::kMinorVersion)};
}

std::string UnreadableFormat(HiveFormat format) {
  if (format.major == 1 && format.minor >= kOldestReadable) return "";
  return "it is in " + Name(format) + ", which Zorvanel cannot read";
}

std::string UnwritableFormat(const std::string& path, HiveFormat format) {
  if (format.minor >= kOldestWritable && format.minor <= kNewestKnown) return "";
  const std::string why = format.minor < kOldestWritable
                              ? ", whose subkey lists Zorvanel cannot write in a form that its Windows reads"
                              : ", newer than any that Zorvanel knows";
  return "The registry file " + path + " is in " + Name(format) + why + ". Zorvanel opens it read-only.";
}

bool NeedsFastLeafLists(HiveFormat format) { return format.minor < kFirstWithHashLeaves; }

}  // namespace zorvanel::hive
