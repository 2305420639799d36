#include "platform/hive/RegfCells.h"

namespace zorvanel::hive::regf {

namespace {

constexpr std::size_t kBinAlignment = 4096;
constexpr std::size_t kBinHeaderSize = 32;
constexpr std::size_t kBinOffset = 4;
constexpr std::size_t kBinSize = 8;

}  // namespace

std::uint16_t Le16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Le16(bytes, at)) |
         static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::optional<Cells> Cells::Index(std::string_view hive, std::string* why) {
  if (hive.size() < kBaseBlockSize) {
    *why = "it has no base block";
    return std::nullopt;
  }
  const std::size_t size = Le32(hive, kBinsSize);
  if (size % kBinAlignment != 0 || size > hive.size() - kBaseBlockSize) {
    *why = "the size of its bins is not what the file holds";
    return std::nullopt;
  }
  Cells cells(hive.substr(kBaseBlockSize, size));
  for (std::size_t bin = 0; bin < size;) {
    if (!cells.IndexBin(bin, why)) return std::nullopt;
    bin += Le32(cells.bins_, bin + kBinSize);
  }
  return cells;
}

// Marks the cells in use in the bin at start; false when it is not a bin.
bool Cells::IndexBin(std::size_t start, std::string* why) {
  const std::size_t size = bins_.size() - start >= kBinHeaderSize ? Le32(bins_, start + kBinSize) : 0;
  if (bins_.compare(start, 4, "hbin") != 0 || Le32(bins_, start + kBinOffset) != start ||
      size < kBinAlignment || size % kBinAlignment != 0 || size > bins_.size() - start) {
    *why = "the hive bin at offset " + std::to_string(start) + " is broken";
    return false;
  }
  for (std::size_t at = start + kBinHeaderSize; at < start + size;) {
    const auto raw = static_cast<std::int32_t>(Le32(bins_, at));
    const std::size_t length = raw < 0 ? 0u - static_cast<std::uint32_t>(raw) : static_cast<std::uint32_t>(raw);
    if (length < 8 || length % 8 != 0 || length > start + size - at) {
      *why = "the cell at offset " + std::to_string(at) + " does not fit its bin";
      return false;
    }
    if (raw < 0) inUse_[Slot(static_cast<std::uint32_t>(at))] = true;
    at += length;
  }
  return true;
}

std::optional<std::string_view> Cells::Data(std::uint32_t offset) const {
  if (offset % 8 != 0 || Slot(offset) >= inUse_.size() || !inUse_[Slot(offset)]) return std::nullopt;
  const std::uint32_t length = 0u - Le32(bins_, offset);
  return bins_.substr(offset + 4, length - 4);
}

}  // namespace zorvanel::hive::regf
