#pragma once
// Monitor limits the user types in, kept as the product key's MonitorLimits
// value: "30-96,50-160,230" (kHz, Hz, MHz; the clock may be left out). They
// win over everything detected.

#include <optional>
#include <string>
#include <variant>

#include "detect/Edid.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

inline constexpr const char* kMonitorLimitsValue = "MonitorLimits";

// The three fields of the limits window, as typed.
struct TypedLimits {
  std::string horizontal;  // kHz, "30-96"
  std::string vertical;    // Hz, "50-160"
  std::string pixelClock;  // MHz, "230" or empty
};

// Limits that are numbers in the right order and within what a monitor can
// have (15-250 kHz, 40-250 Hz, up to 1000 MHz); otherwise the message that
// names the first wrong field.
std::variant<detect::RangeLimits, std::string> CheckTyped(const TypedLimits& typed);

// "30-96,50-160,230", as stored.
std::string StoredText(const detect::RangeLimits& limits);
TypedLimits FieldsOf(const detect::RangeLimits& limits);

// What the store holds: nothing, limits, or a text that is not limits.
struct StoredLimits {
  std::optional<detect::RangeLimits> limits;
  std::optional<std::string> unreadable;
};
StoredLimits ReadStoredLimits(registry::mdlRegistry& registry);
void StoreLimits(registry::mdlRegistry& registry, const detect::RangeLimits& limits);
void ForgetLimits(registry::mdlRegistry& registry);

}  // namespace zorvanel::modes
