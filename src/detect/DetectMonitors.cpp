#include "detect/DetectMonitors.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/frmMainframe.h"
#include "detect/DetectionTexts.h"
#include "detect/DriverKeys.h"
#include "detect/Edid.h"
#include "modes/MonitorLimits.h"

namespace zorvanel::detect {

namespace {

using registry::HKEY_LOCAL_MACHINE;

struct Instance {
  std::string path;
  bool attached = false;
  bool hasEdid = false;
};

struct Monitor {
  std::string text;  // "NAME: limits", "NAME: no range limits" or "EDID unreadable"
  std::optional<RangeLimits> limits;
};

std::vector<std::string> Subkeys(registry::mdlRegistry& registry, const std::string& path) {
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    std::string name = registry.EnumKeyName(HKEY_LOCAL_MACHINE, path, index);
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

std::vector<Instance> Instances(registry::mdlRegistry& registry) {
  std::vector<Instance> found;
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, keys::kMonitorRoot)) return found;
  for (const std::string& id : Subkeys(registry, keys::kMonitorRoot)) {
    const std::string idPath = std::string(keys::kMonitorRoot) + "\\" + id;
    for (const std::string& instance : Subkeys(registry, idPath)) {
      Instance one{.path = idPath + "\\" + instance};
      one.attached = registry.KeyExists(HKEY_LOCAL_MACHINE, one.path + keys::kAttached);
      const std::string parameters = one.path + keys::kDeviceParameters;
      one.hasEdid = registry.KeyExists(HKEY_LOCAL_MACHINE, parameters) &&
                    registry.ValueExists(HKEY_LOCAL_MACHINE, parameters, keys::kEdid);
      found.push_back(std::move(one));
    }
  }
  return found;
}

// On a running Windows only the monitors attached in this session count; a
// store or an offline hive has no volatile keys, and there every monitor
// with an EDID counts.
std::vector<Instance> Counted(const std::vector<Instance>& all) {
  const bool anyAttached = std::any_of(all.begin(), all.end(), [](auto& i) { return i.attached; });
  std::vector<Instance> counted;
  for (const Instance& one : all) {
    if (anyAttached ? one.attached : one.hasEdid) counted.push_back(one);
  }
  return counted;
}

Monitor Describe(registry::mdlRegistry& registry, const Instance& instance) {
  if (!instance.hasEdid) return {texts::kEdidUnreadable, std::nullopt};
  const auto bytes =
      registry.GetBinaryValue(HKEY_LOCAL_MACHINE, instance.path + keys::kDeviceParameters,
                              keys::kEdid);
  const auto edid = ParseEdid(bytes);
  if (!edid) return {texts::kEdidUnreadable, std::nullopt};
  const std::string name =
      (edid->name.empty() ? texts::kUnnamedMonitor : edid->name) + texts::kMonitorSeparator;
  if (!edid->limits) return {name + texts::kNoRangeLimits, std::nullopt};
  return {name + modes::LimitsText(*edid->limits), edid->limits};
}

std::optional<RangeLimits> CombinedLimits(const std::vector<Monitor>& monitors) {
  std::vector<RangeLimits> known;
  for (const Monitor& monitor : monitors) {
    if (monitor.limits) known.push_back(*monitor.limits);
  }
  if (known.empty()) return std::nullopt;
  return modes::Combined(known);
}

}  // namespace

void DetectMonitors(app::frmMainframe& window) {
  registry::mdlRegistry& registry = window.registry();
  std::vector<Monitor> monitors;
  for (const Instance& instance : Counted(Instances(registry))) {
    monitors.push_back(Describe(registry, instance));
  }
  window.monitorLimits = CombinedLimits(monitors);
  ui::Form& form = window.form();
  form.SetEnabled("cmdBestRates", window.monitorLimits.has_value());
  if (monitors.empty()) return;
  if (monitors.size() == 1) {
    form.SetText("lblMonitor", monitors.front().text);
    return;
  }
  // Several monitors: their combined limits, and each one in the tooltip.
  const auto& limits = window.monitorLimits;
  form.SetText("lblMonitor", std::to_string(monitors.size()) + texts::kMonitorCount +
                                 (limits ? modes::LimitsText(*limits) : texts::kNoRangeLimits));
  std::string tooltip;
  for (const Monitor& monitor : monitors) {
    tooltip += (tooltip.empty() ? "" : texts::kLineBreak) + monitor.text;
  }
  form.SetToolTip("lblMonitor", tooltip);
}

}  // namespace zorvanel::detect
