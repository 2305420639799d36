#pragma once
// A monitor's EDID, as far as the refresh rates need it: its name and its
// range limits. The data comes from the registry, so anything may be in it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zorvanel::detect {

// What a monitor says it takes. Clock 0 means no clock limit is given. The
// figures are decimals: a monitor's INF writes "31.5".
struct RangeLimits {
  double minVerticalHz = 0;
  double maxVerticalHz = 0;
  double minHorizontalKHz = 0;
  double maxHorizontalKHz = 0;
  double maxPixelClockMHz = 0;

  bool operator==(const RangeLimits&) const = default;
};

struct Edid {
  std::string name;                   // empty when the EDID names no product
  std::optional<RangeLimits> limits;  // none without a usable range-limits descriptor
};

// nullopt when the data is no EDID to be trusted: not whole 128-byte blocks,
// no header, or a base block whose checksum is wrong.
std::optional<Edid> ParseEdid(std::span<const std::uint8_t> data);

}  // namespace zorvanel::detect
