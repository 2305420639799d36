#pragma once
// Which modes a monitor takes, judged by its range limits, the timing the
// driver gives each mode and, for a monitor known from its INF, the largest
// resolution of each of its ranges.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "detect/Edid.h"
#include "detect/ModeText.h"
#include "modes/ModeLists.h"

namespace zorvanel::modes {

using detect::RangeLimits;
using detect::ScreenSize;

// The limits the label shows, which Apply and the best rates follow.
struct KnownLimits {
  RangeLimits range;
  // One list for each monitor known from its INF: the largest resolution of
  // each of its ranges. A mode must fit within one size of every list.
  std::vector<std::vector<ScreenSize>> largestSizes;
};

// "30-96 kHz, 50-160 Hz, 230 MHz"; without the clock when none is given.
std::string LimitsText(const RangeLimits& limits);

// The limits that every one of the monitors meets: the highest minimum, the
// lowest maximum and the lowest clock given.
RangeLimits Combined(std::span<const RangeLimits> monitors);

// Why a rate at a resolution is beyond the limits, naming the first limit it
// breaks: "(needs 68.6 kHz)", "(needs 94.4 MHz)", "(the monitor takes
// 50-75 Hz)" or "(the monitor shows at most 1280x1024)"; nullopt when the
// monitor takes it.
std::optional<std::string> Breach(const KnownLimits& limits, const Resolution& resolution,
                                  int hertz);

}  // namespace zorvanel::modes
