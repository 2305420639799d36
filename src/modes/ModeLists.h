#pragma once
// The two fixed lists the refresh-rate settings are built on: the 19
// resolutions in program order and the 13 rates in ascending order.

#include <array>
#include <optional>
#include <string_view>

namespace zorvanel::modes {

enum class ValidationGroup { Low, High };

struct Resolution {
  std::string_view box;            // its selection box, "cmb320x200"
  std::string_view decimalToken;   // "320,200,-,"
  std::string_view hexToken;       // " 320x200"
  ValidationGroup group;
};

struct Rate {
  std::string_view text;                      // "60", as the boxes show it
  std::string_view hexMask;                   // "1FFF"
  std::optional<std::string_view> rangeToken; // "70-", for the first seven only
};

inline constexpr std::size_t kResolutionCount = 19;
inline constexpr std::size_t kRateCount = 13;

// Not sorted by size: 848x480 follows 800x600.
extern const std::array<Resolution, kResolutionCount> kResolutions;
extern const std::array<Rate, kRateCount> kRates;

// The fastest rate each group takes without a driver warning.
constexpr int GroupLimit(ValidationGroup group) { return group == ValidationGroup::Low ? 75 : 85; }

// The no-choice entry, item 0 of every box.
inline constexpr std::string_view kNoRate = "<Select!>";

}  // namespace zorvanel::modes
