#include "modes/MonitorLimits.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "modes/Gtf.h"

namespace zorvanel::modes {

namespace {

struct Size {
  int width = 0;
  int height = 0;
};

// "1024,768,-," gives 1024 by 768.
Size SizeOf(const Resolution& resolution) {
  const std::string_view token = resolution.decimalToken;
  Size size;
  const auto comma = token.find(',');
  std::from_chars(token.data(), token.data() + comma, size.width);
  std::from_chars(token.data() + comma + 1, token.data() + token.size(), size.height);
  return size;
}

// The driver double-scans modes under 400 lines: each line is sent twice.
Timing DriverTiming(const Resolution& resolution, int hertz) {
  const Size size = SizeOf(resolution);
  const int lines = size.height < 400 ? 2 * size.height : size.height;
  return GtfTiming(size.width, lines, hertz);
}

std::string Needs(double figure, const char* unit) {
  char text[48];
  std::snprintf(text, sizeof text, "(needs %.1f %s)", figure, unit);
  return text;
}

std::string Span(int low, int high) { return std::to_string(low) + "-" + std::to_string(high); }

}  // namespace

std::string LimitsText(const RangeLimits& limits) {
  std::string text = Span(limits.minHorizontalKHz, limits.maxHorizontalKHz) + " kHz, " +
                     Span(limits.minVerticalHz, limits.maxVerticalHz) + " Hz";
  if (limits.maxPixelClockMHz > 0) text += ", " + std::to_string(limits.maxPixelClockMHz) + " MHz";
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
std::optional<std::string> Breach(const RangeLimits& limits, const Resolution& resolution,
                                  int hertz) {
  const Timing timing = DriverTiming(resolution, hertz);
  if (timing.horizontalKHz > limits.maxHorizontalKHz) return Needs(timing.horizontalKHz, "kHz");
  if (limits.maxPixelClockMHz > 0 && timing.pixelClockMHz > limits.maxPixelClockMHz) {
    return Needs(timing.pixelClockMHz, "MHz");
  }
  if (hertz < limits.minVerticalHz || hertz > limits.maxVerticalHz) {
    return "(the monitor takes " + Span(limits.minVerticalHz, limits.maxVerticalHz) + " Hz)";
  }
  return std::nullopt;
}

}  // namespace zorvanel::modes
