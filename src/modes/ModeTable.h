#pragma once
// The mode table string: the user's choice of one rate per resolution in the
// form the driver reads from its NV_Modes and *_Modes_Delta values.

#include <array>
#include <optional>
#include <string>

#include "modes/ModeLists.h"

namespace zorvanel::modes {

// The text each selection box shows, in resolution-list order.
using Selection = std::array<std::string, kResolutionCount>;

// The rate a box text stands for: exact, case-sensitive equality with a rate
// text. "<Select!>" and every other text stand for no rate.
std::optional<std::size_t> RateIndex(std::string_view boxText);

// "S " and one "width,height,-,range" entry per chosen rate up to 120 Hz,
// grouped by rate, joined by ";". Faster rates have no decimal form.
std::string BuildDecimalModeTable(const Selection& selection);

// "S" (or "{*}S"), then for every rate in use its resolutions and
// "=MASK;", in ascending rate order.
std::string BuildHexModeTable(const Selection& selection, bool usesPrefix);

}  // namespace zorvanel::modes
