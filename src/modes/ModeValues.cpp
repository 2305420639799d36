#include "modes/ModeValues.h"

namespace zorvanel::modes {

bool EndsInModesDelta(std::string_view name) { return name.ends_with(kModesDeltaSuffix); }

bool IsModeValueName(std::string_view name) { return name == kNvModes || EndsInModesDelta(name); }

std::string DeviceKey(std::string_view driverKey, int number) {
  return std::string(driverKey) + "\\Device" + std::to_string(number);
}

void ForEachValueName(registry::mdlRegistry& registry, const std::string& key,
                      const std::function<void(const std::string& name)>& visit) {
  for (std::uint32_t index = 0;; ++index) {
    const std::string name = registry.EnumValueName(registry::HKEY_LOCAL_MACHINE, key, index);
    if (name.empty()) return;
    visit(name);
  }
}

}  // namespace zorvanel::modes
