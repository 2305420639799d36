#pragma once
// A monitor installed from its INF: Windows keeps the INF's ranges under the
// monitor's driver key, which the instance's Driver value names:
// Control\Class\<Driver>\MODES\<W,H>, values Mode1, Mode2, ...

#include <optional>
#include <string>
#include <vector>

#include "detect/ModeText.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::detect {

struct InfModes {
  std::string name;                   // DriverDesc; empty when there is none
  std::optional<RangeLimits> limits;  // the union of its good ranges; none when all are broken
  std::vector<ScreenSize> largest;    // the size of each MODES key with a good range
};

// The class key the instance's Driver value names, when it has a MODES key;
// nullopt otherwise. Silent: a missing key or value is no fault.
std::optional<std::string> InfModesKey(registry::mdlRegistry& registry,
                                       const std::string& instancePath);

// Reads what the INF left under the driver key. Keys not named "W,H" and Mode
// texts that do not parse are passed over.
InfModes ReadInfModes(registry::mdlRegistry& registry, const std::string& driverKey);

}  // namespace zorvanel::detect
