#pragma once
// The driver's mode values in its registry keys: which values hold a mode
// table, where its device keys are, and how a key's values are walked.

#include <functional>
#include <string>
#include <string_view>

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

inline constexpr const char* kNvModes = "NV_Modes";
inline constexpr std::string_view kModesDeltaSuffix = "_Modes_Delta";

// Exact, case-sensitive comparison of the last 12 characters; a shorter
// name is compared whole.
bool EndsInModesDelta(std::string_view name);
// NV_Modes, or a name ending in "_Modes_Delta".
bool IsModeValueName(std::string_view name);

// Device key n of the driver's service key: "...\nv\Device0", "...\Device1".
std::string DeviceKey(std::string_view driverKey, int number);

// Visits the name of every value of the key, by index from 0, until
// EnumValueName gives the empty text (the end, or a failure it reported).
// A value whose data is not text is visited as "ERROR_NON_REG_SZ". The
// visitor may replace a value's data: that keeps its index.
void ForEachValueName(registry::mdlRegistry& registry, const std::string& key,
                      const std::function<void(const std::string& name)>& visit);

}  // namespace zorvanel::modes
