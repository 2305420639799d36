#include "detect/InfModes.h"

#include <algorithm>
#include <cctype>

#include "detect/DriverKeys.h"

namespace zorvanel::detect {

namespace {

using registry::HKEY_LOCAL_MACHINE;

constexpr const char* kDriverValue = "Driver";
constexpr const char* kModesKey = "\\MODES";
constexpr const char* kDriverDescription = "DriverDesc";

// "Mode1", "MODE12": the values that hold a range.
bool IsModeName(std::string_view name) {
  if (name.size() <= 4) return false;
  std::string head(name.substr(0, 4));
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return head == "mode" && std::all_of(name.begin() + 4, name.end(), [](unsigned char c) {
           return std::isdigit(c) != 0;
         });
}

RangeLimits Union(const RangeLimits& a, const RangeLimits& b) {
  return {.minVerticalHz = std::min(a.minVerticalHz, b.minVerticalHz),
          .maxVerticalHz = std::max(a.maxVerticalHz, b.maxVerticalHz),
          .minHorizontalKHz = std::min(a.minHorizontalKHz, b.minHorizontalKHz),
          .maxHorizontalKHz = std::max(a.maxHorizontalKHz, b.maxHorizontalKHz)};
}

// The union of the good Mode texts of one MODES subkey.
std::optional<RangeLimits> RangesOf(registry::mdlRegistry& registry, const std::string& key) {
  std::optional<RangeLimits> ranges;
  for (std::uint32_t index = 0;; ++index) {
    const std::string name = registry.EnumValueName(HKEY_LOCAL_MACHINE, key, index);
    if (name.empty()) return ranges;
    if (!IsModeName(name)) continue;
    const auto range = ParseModeText(registry.GetStringValue(HKEY_LOCAL_MACHINE, key, name));
    if (range) ranges = ranges ? Union(*ranges, *range) : *range;
  }
}

}  // namespace

std::optional<std::string> InfModesKey(registry::mdlRegistry& registry,
                                       const std::string& instancePath) {
  if (!registry.ValueExists(HKEY_LOCAL_MACHINE, instancePath, kDriverValue)) return std::nullopt;
  const std::string driver =
      registry.GetStringValue(HKEY_LOCAL_MACHINE, instancePath, kDriverValue);
  // An empty name would be the class root itself.
  if (driver.empty()) return std::nullopt;
  const std::string key = keys::kClassRoot + driver;
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, key + kModesKey)) return std::nullopt;
  return key;
}

InfModes ReadInfModes(registry::mdlRegistry& registry, const std::string& driverKey) {
  InfModes modes;
  if (registry.ValueExists(HKEY_LOCAL_MACHINE, driverKey, kDriverDescription)) {
    modes.name = registry.GetStringValue(HKEY_LOCAL_MACHINE, driverKey, kDriverDescription);
  }
  const std::string modesKey = driverKey + kModesKey;
  for (std::uint32_t index = 0;; ++index) {
    const std::string name = registry.EnumKeyName(HKEY_LOCAL_MACHINE, modesKey, index);
    if (name.empty()) return modes;
    const auto size = ParseSizeKey(name);
    if (!size) continue;
    const auto ranges = RangesOf(registry, modesKey + "\\" + name);
    if (!ranges) continue;
    modes.limits = modes.limits ? Union(*modes.limits, *ranges) : *ranges;
    modes.largest.push_back(*size);
  }
}

}  // namespace zorvanel::detect
