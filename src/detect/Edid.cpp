#include "detect/Edid.h"

#include <algorithm>
#include <array>

namespace zorvanel::detect {

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::array<std::uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kVersionByte = 18;
constexpr std::size_t kRevisionByte = 19;
// The four 18-byte descriptors of the base block.
constexpr std::array<std::size_t, 4> kDescriptorOffsets = {54, 72, 90, 108};
constexpr std::size_t kDescriptorSize = 18;
constexpr std::uint8_t kNameTag = 0xFC;
constexpr std::uint8_t kRangeLimitsTag = 0xFD;

using Descriptor = std::span<const std::uint8_t, kDescriptorSize>;

bool Readable(std::span<const std::uint8_t> data) {
  if (data.empty() || data.size() % kBlockSize != 0) return false;
  if (!std::equal(kHeader.begin(), kHeader.end(), data.begin())) return false;
  unsigned sum = 0;
  for (std::size_t i = 0; i < kBlockSize; ++i) sum += data[i];
  return sum % 256 == 0;
}

// A display descriptor (not a detailed timing) has a zero pixel clock; the
// tag is its fourth byte.
std::optional<std::uint8_t> DisplayTag(Descriptor d) {
  if (d[0] != 0 || d[1] != 0) return std::nullopt;
  return d[3];
}

// The text of a descriptor ends at the first byte that is not printable
// ASCII: the line feed that ends it, or a NUL some monitors write instead.
std::string DescriptorText(Descriptor d) {
  std::string text;
  for (std::size_t i = 5; i < kDescriptorSize && d[i] >= 0x20 && d[i] <= 0x7E; ++i) {
    text += static_cast<char>(d[i]);
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Byte 4 adds 255 to the maxima (and minima) from revision 4 on; before,
// it is reserved, and monitors that set it anyway mean nothing by it.
std::optional<RangeLimits> LimitsFrom(Descriptor d, bool offsetsApply) {
  const std::uint8_t flags = offsetsApply ? d[4] : 0;
  auto offsets = [](unsigned bits, int* minOffset, int* maxOffset) {
    *maxOffset = (bits & 2) ? 255 : 0;
    *minOffset = bits == 3 ? 255 : 0;
  };
  int minV = 0, maxV = 0, minH = 0, maxH = 0;
  offsets(flags & 3, &minV, &maxV);
  offsets((flags >> 2) & 3, &minH, &maxH);
  RangeLimits limits{.minVerticalHz = double(d[5] + minV),
                     .maxVerticalHz = double(d[6] + maxV),
                     .minHorizontalKHz = double(d[7] + minH),
                     .maxHorizontalKHz = double(d[8] + maxH),
                     .maxPixelClockMHz = double(d[9] * 10)};
  if (limits.minVerticalHz > limits.maxVerticalHz ||
      limits.minHorizontalKHz > limits.maxHorizontalKHz) {
    return std::nullopt;
  }
  return limits;
}

}  // namespace

std::optional<Edid> ParseEdid(std::span<const std::uint8_t> data) {
  if (!Readable(data)) return std::nullopt;
  const bool offsetsApply = data[kVersionByte] == 1 && data[kRevisionByte] >= 4;
  Edid edid;
  std::string name;
  bool limitsSeen = false;
  for (std::size_t offset : kDescriptorOffsets) {
    const Descriptor d = data.subspan(offset).first<kDescriptorSize>();
    const auto tag = DisplayTag(d);
    if (tag == kNameTag) name += DescriptorText(d);
    if (tag == kRangeLimitsTag && !limitsSeen) {
      limitsSeen = true;
      edid.limits = LimitsFrom(d, offsetsApply);
    }
  }
  edid.name = Trimmed(name);
  return edid;
}

}  // namespace zorvanel::detect
