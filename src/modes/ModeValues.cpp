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

namespace {

void CopyValue(registry::mdlRegistry& registry, const std::string& source,
               const std::string& target, const std::string& name) {
  const std::string data = registry.GetStringValue(registry::HKEY_LOCAL_MACHINE, source, name);
  registry.SetStringValue(registry::HKEY_LOCAL_MACHINE, target, name, data);
}

bool IsCopied(registry::mdlRegistry& registry, const std::string& source,
              const std::string& target, const std::string& name) {
  using registry::HKEY_LOCAL_MACHINE;
  return registry.ValueExists(HKEY_LOCAL_MACHINE, target, name) &&
         registry.GetStringValue(HKEY_LOCAL_MACHINE, target, name) ==
             registry.GetStringValue(HKEY_LOCAL_MACHINE, source, name);
}

// Whether the test holds for every mode value of the source; the walk stops
// testing at the first that fails.
bool EveryModeValue(registry::mdlRegistry& registry, const std::string& source,
                    const std::function<bool(const std::string& name)>& holds) {
  bool all = true;
  ForEachValueName(registry, source, [&](const std::string& name) {
    if (all && IsModeValueName(name)) all = holds(name);
  });
  return all;
}

}  // namespace

void CopyModeValues(registry::mdlRegistry& registry, const std::string& source,
                    const std::string& target) {
  ForEachValueName(registry, source, [&](const std::string& name) {
    if (EndsInModesDelta(name)) CopyValue(registry, source, target, name);
  });
  if (registry.ValueExists(registry::HKEY_LOCAL_MACHINE, source, kNvModes)) {
    CopyValue(registry, source, target, kNvModes);
  }
}

void CopyValueExactly(registry::mdlRegistry& registry, const std::string& source,
                      const std::string& target, const std::string& name) {
  if (auto value = registry.GetRawValue(registry::HKEY_LOCAL_MACHINE, source, name)) {
    registry.SetRawValue(registry::HKEY_LOCAL_MACHINE, target, name, *value);
  }
}

bool ValueCopiedExactly(registry::mdlRegistry& registry, const std::string& source,
                        const std::string& target, const std::string& name) {
  using registry::HKEY_LOCAL_MACHINE;
  if (!registry.ValueExists(HKEY_LOCAL_MACHINE, target, name)) return false;
  const auto copy = registry.GetRawValue(HKEY_LOCAL_MACHINE, target, name);
  return copy && copy == registry.GetRawValue(HKEY_LOCAL_MACHINE, source, name);
}

void CopyModeValuesExactly(registry::mdlRegistry& registry, const std::string& source,
                           const std::string& target) {
  ForEachValueName(registry, source, [&](const std::string& name) {
    if (IsModeValueName(name)) CopyValueExactly(registry, source, target, name);
  });
}

bool ModeValuesCopied(registry::mdlRegistry& registry, const std::string& source,
                      const std::string& target) {
  return EveryModeValue(registry, source, [&](const std::string& name) {
    return IsCopied(registry, source, target, name);
  });
}

bool ModeValuesCopiedExactly(registry::mdlRegistry& registry, const std::string& source,
                             const std::string& target) {
  return EveryModeValue(registry, source, [&](const std::string& name) {
    return ValueCopiedExactly(registry, source, target, name);
  });
}

void ForEachSavedValue(registry::mdlRegistry& registry, const std::string& key,
                       const std::function<void(const std::string& name,
                                                const std::string& data)>& visit) {
  ForEachValueName(registry, key, [&](const std::string& name) {
    if (name == registry::kNonTextValueName) return;
    visit(name, registry.GetStringValue(registry::HKEY_LOCAL_MACHINE, key, name));
  });
}

}  // namespace zorvanel::modes
