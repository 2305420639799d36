#include "modes/MonitorLimits.h"

#include <algorithm>
#include <charconv>

#include "modes/Gtf.h"

namespace zorvanel::modes {

namespace {

using detect::DecimalText;
using detect::RangeText;

// "1024,768,-," gives 1024 by 768.
ScreenSize SizeOf(const Resolution& resolution) {
  const std::string_view token = resolution.decimalToken;
  ScreenSize size;
  const auto comma = token.find(',');
  std::from_chars(token.data(), token.data() + comma, size.width);
  std::from_chars(token.data() + comma + 1, token.data() + token.size(), size.height);
  return size;
}

// The driver double-scans modes under 400 lines: each line is sent twice.
Timing DriverTiming(const Resolution& resolution, int hertz) {
  const ScreenSize size = SizeOf(resolution);
  const int lines = size.height < 400 ? 2 * size.height : size.height;
  return GtfTiming(size.width, lines, hertz);
}

std::string Needs(double figure, const char* unit) {
  return "(needs " + detect::OneDecimal(figure) + " " + unit + ")";
}

bool Fits(const ScreenSize& mode, const ScreenSize& largest) {
  return mode.width <= largest.width && mode.height <= largest.height;
}

// The size that tells the user most: the largest area, the wider on a tie.
ScreenSize Largest(const std::vector<ScreenSize>& sizes) {
  return *std::max_element(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) {
    const long areaA = long{a.width} * a.height;
    const long areaB = long{b.width} * b.height;
    return areaA != areaB ? areaA < areaB : a.width < b.width;
  });
}

std::optional<std::string> BeyondSizes(const KnownLimits& limits, const Resolution& resolution) {
  const ScreenSize mode = SizeOf(resolution);
  for (const auto& sizes : limits.largestSizes) {
    if (sizes.empty() || std::any_of(sizes.begin(), sizes.end(),
                                     [&](const auto& size) { return Fits(mode, size); })) {
      continue;
    }
    const ScreenSize largest = Largest(sizes);
    return "(the monitor shows at most " + std::to_string(largest.width) + "x" +
           std::to_string(largest.height) + ")";
  }
  return std::nullopt;
}

}  // namespace

std::string LimitsText(const RangeLimits& limits) {
  std::string text = RangeText(limits.minHorizontalKHz, limits.maxHorizontalKHz) + " kHz, " +
                     RangeText(limits.minVerticalHz, limits.maxVerticalHz) + " Hz";
  if (limits.maxPixelClockMHz > 0) text += ", " + DecimalText(limits.maxPixelClockMHz) + " MHz";
  return text;
}

RangeLimits Combined(std::span<const RangeLimits> monitors) {
  RangeLimits all = monitors.front();
  for (const RangeLimits& one : monitors.subspan(1)) {
    all.minVerticalHz = std::max(all.minVerticalHz, one.minVerticalHz);
    all.maxVerticalHz = std::min(all.maxVerticalHz, one.maxVerticalHz);
    all.minHorizontalKHz = std::max(all.minHorizontalKHz, one.minHorizontalKHz);
    all.maxHorizontalKHz = std::min(all.maxHorizontalKHz, one.maxHorizontalKHz);
    if (all.maxPixelClockMHz == 0 ||
        (one.maxPixelClockMHz > 0 && one.maxPixelClockMHz < all.maxPixelClockMHz)) {
      all.maxPixelClockMHz = one.maxPixelClockMHz;
    }
  }
  return all;
}

// The horizontal minimum is not checked: GTF times 640x480 at 60 Hz just
// under the usual 30 kHz, and that standard mode meets it with its own timing.
std::optional<std::string> Breach(const KnownLimits& limits, const Resolution& resolution,
                                  int hertz) {
  const RangeLimits& range = limits.range;
  const Timing timing = DriverTiming(resolution, hertz);
  if (timing.horizontalKHz > range.maxHorizontalKHz) return Needs(timing.horizontalKHz, "kHz");
  if (range.maxPixelClockMHz > 0 && timing.pixelClockMHz > range.maxPixelClockMHz) {
    return Needs(timing.pixelClockMHz, "MHz");
  }
  if (hertz < range.minVerticalHz || hertz > range.maxVerticalHz) {
    return "(the monitor takes " + RangeText(range.minVerticalHz, range.maxVerticalHz) + " Hz)";
  }
  return BeyondSizes(limits, resolution);
}

}  // namespace zorvanel::modes
