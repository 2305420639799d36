#pragma once
// Which modes a monitor takes, judged by its EDID range limits and the
// timing the driver gives each mode.

#include <optional>
#include <span>
#include <string>

#include "detect/Edid.h"
#include "modes/ModeLists.h"

namespace zorvanel::modes {

using detect::RangeLimits;

// "30-96 kHz, 50-160 Hz, 230 MHz"; without the clock when none is given.
std::string LimitsText(const RangeLimits& limits);

// The limits that every one of the monitors meets: the highest minimum, the
// lowest maximum and the lowest clock given.
RangeLimits Combined(std::span<const RangeLimits> monitors);

// Why a rate at a resolution is beyond the limits, naming the first limit it
// breaks: "(needs 68.6 kHz)", "(needs 94.4 MHz)" or "(the monitor takes
// 50-75 Hz)"; nullopt when the monitor takes it.
std::optional<std::string> Breach(const RangeLimits& limits, const Resolution& resolution,
                                  int hertz);

}  // namespace zorvanel::modes
