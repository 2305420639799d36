#include "detect/DetectMonitors.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/frmMainframe.h"
#include "detect/DetectionTexts.h"
#include "detect/DriverKeys.h"
#include "detect/Edid.h"
#include "detect/InfModes.h"
#include "modes/MonitorEntered.h"
#include "modes/MonitorLimits.h"
#include "modes/MonitorTexts.h"

namespace zorvanel::detect {

namespace {

using modes::KnownLimits;
using registry::HKEY_LOCAL_MACHINE;

struct Instance {
  std::string path;
  bool attached = false;
  bool hasEdid = false;
  std::optional<std::string> infModes;  // the driver key that holds its INF's ranges
};

struct Monitor {
  std::string text;  // "NAME: limits", "NAME (driver): limits", "EDID unreadable", ...
  std::optional<RangeLimits> limits;
  std::vector<ScreenSize> largest;  // from its INF: the largest size of each range
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
      one.infModes = InfModesKey(registry, one.path);
      found.push_back(std::move(one));
    }
  }
  return found;
}

// On a running Windows only the monitors attached in this session count; a
// store or an offline hive has no volatile keys, and there every monitor
// with an EDID or with its INF's ranges counts.
std::vector<Instance> Counted(const std::vector<Instance>& all) {
  const bool anyAttached = std::any_of(all.begin(), all.end(), [](auto& i) { return i.attached; });
  std::vector<Instance> counted;
  for (const Instance& one : all) {
    if (anyAttached ? one.attached : one.hasEdid || one.infModes) counted.push_back(one);
  }
  return counted;
}

std::string Named(const std::string& name) { return name.empty() ? texts::kUnnamedMonitor : name; }

Monitor FromInf(registry::mdlRegistry& registry, const std::string& driverKey) {
  InfModes modes = ReadInfModes(registry, driverKey);
  const std::string name =
      Named(modes.name) + std::string(modes::texts::kDriverSource) + texts::kMonitorSeparator;
  if (!modes.limits) return {name + texts::kNoRangeLimits, std::nullopt, {}};
  return {name + modes::LimitsText(*modes.limits), modes.limits, std::move(modes.largest)};
}

// The EDID's limits where it gives them, else the INF's ranges where the
// monitor has them, else what is wrong with the EDID.
Monitor Describe(registry::mdlRegistry& registry, const Instance& instance) {
  std::optional<Edid> edid;
  if (instance.hasEdid) {
    edid = ParseEdid(registry.GetBinaryValue(
        HKEY_LOCAL_MACHINE, instance.path + keys::kDeviceParameters, keys::kEdid));
  }
  if (edid && edid->limits) {
    return {Named(edid->name) + texts::kMonitorSeparator + modes::LimitsText(*edid->limits),
            edid->limits, {}};
  }
  if (instance.infModes) return FromInf(registry, *instance.infModes);
  if (!edid) return {texts::kEdidUnreadable, std::nullopt, {}};
  return {Named(edid->name) + texts::kMonitorSeparator + texts::kNoRangeLimits, std::nullopt, {}};
}

// The limits every monitor takes; the sizes of those known from their INF.
std::optional<KnownLimits> CombinedLimits(const std::vector<Monitor>& monitors) {
  std::vector<RangeLimits> known;
  KnownLimits combined;
  for (const Monitor& monitor : monitors) {
    if (!monitor.limits) continue;
    known.push_back(*monitor.limits);
    if (!monitor.largest.empty()) combined.largestSizes.push_back(monitor.largest);
  }
  if (known.empty()) return std::nullopt;
  combined.range = modes::Combined(known);
  return combined;
}

std::string LabelText(const std::vector<Monitor>& monitors,
                      const std::optional<KnownLimits>& detected,
                      const modes::StoredLimits& entered) {
  if (entered.limits) {
    return std::string(modes::texts::kEnteredSource) + texts::kMonitorSeparator +
           modes::LimitsText(*entered.limits);
  }
  if (monitors.empty()) return texts::kMonitorNotFound;
  if (monitors.size() == 1) return monitors.front().text;
  return std::to_string(monitors.size()) + texts::kMonitorCount +
         (detected ? modes::LimitsText(detected->range) : texts::kNoRangeLimits);
}

// Each monitor's own line where the label does not show it alone, and a
// stored text that could not be read.
std::string ToolTipText(const std::vector<Monitor>& monitors, const modes::StoredLimits& entered) {
  std::vector<std::string> lines;
  if (monitors.size() > 1 || entered.limits) {
    for (const Monitor& monitor : monitors) lines.push_back(monitor.text);
  }
  if (entered.unreadable) {
    lines.push_back(std::string(modes::texts::kEnteredUnreadable) + *entered.unreadable);
  }
  std::string tooltip;
  for (const std::string& line : lines) tooltip += (tooltip.empty() ? "" : texts::kLineBreak) + line;
  return tooltip;
}

}  // namespace

void DetectMonitors(app::frmMainframe& window) {
  registry::mdlRegistry& registry = window.registry();
  std::vector<Monitor> monitors;
  for (const Instance& instance : Counted(Instances(registry))) {
    monitors.push_back(Describe(registry, instance));
  }
  const std::optional<KnownLimits> detected = CombinedLimits(monitors);
  const modes::StoredLimits entered = modes::ReadStoredLimits(registry);
  // Typed limits have no resolution cap: the user has said what the monitor takes.
  window.monitorLimits = entered.limits ? KnownLimits{*entered.limits, {}} : detected;
  ui::Form& form = window.form();
  form.SetEnabled("cmdBestRates", window.monitorLimits.has_value());
  form.SetText("lblMonitor", LabelText(monitors, detected, entered));
  form.SetToolTip("lblMonitor", ToolTipText(monitors, entered));
}

}  // namespace zorvanel::detect
