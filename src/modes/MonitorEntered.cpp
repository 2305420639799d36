#include "modes/MonitorEntered.h"

#include "app/ProductKey.h"
#include "detect/ModeText.h"
#include "modes/MonitorTexts.h"

namespace zorvanel::modes {

namespace {

using detect::DecimalText;
using detect::RangeLimits;
using registry::HKEY_LOCAL_MACHINE;

struct Bounds {
  double low;
  double high;
};
constexpr Bounds kHorizontalBounds{15, 250};
constexpr Bounds kVerticalBounds{40, 250};
constexpr Bounds kClockBounds{0, 1000};

std::optional<detect::Span> SaneSpan(const std::string& text, Bounds bounds) {
  const auto span = detect::ParseSpan(text);
  if (!span || span->low < bounds.low || span->high > bounds.high) return std::nullopt;
  return span;
}

}  // namespace

std::variant<RangeLimits, std::string> CheckTyped(const TypedLimits& typed) {
  const auto horizontal = SaneSpan(typed.horizontal, kHorizontalBounds);
  if (!horizontal) return std::string(texts::kWrongHorizontalRange);
  const auto vertical = SaneSpan(typed.vertical, kVerticalBounds);
  if (!vertical) return std::string(texts::kWrongVerticalRange);
  std::optional<double> clock = 0.0;
  if (typed.pixelClock.find_first_not_of(' ') != std::string::npos) {
    clock = detect::ParseDecimal(typed.pixelClock);
    if (!clock || *clock > kClockBounds.high) return std::string(texts::kWrongPixelClock);
  }
  return RangeLimits{.minVerticalHz = vertical->low, .maxVerticalHz = vertical->high,
                     .minHorizontalKHz = horizontal->low,
                     .maxHorizontalKHz = horizontal->high, .maxPixelClockMHz = *clock};
}

TypedLimits FieldsOf(const RangeLimits& limits) {
  return {detect::RangeText(limits.minHorizontalKHz, limits.maxHorizontalKHz),
          detect::RangeText(limits.minVerticalHz, limits.maxVerticalHz),
          limits.maxPixelClockMHz > 0 ? DecimalText(limits.maxPixelClockMHz) : ""};
}

std::string StoredText(const RangeLimits& limits) {
  const TypedLimits fields = FieldsOf(limits);
  std::string text = fields.horizontal + "," + fields.vertical;
  if (!fields.pixelClock.empty()) text += "," + fields.pixelClock;
  return text;
}

StoredLimits ReadStoredLimits(registry::mdlRegistry& registry) {
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, app::kProductKey) ||
      !registry.ValueExists(HKEY_LOCAL_MACHINE, app::kProductKey, kMonitorLimitsValue)) {
    return {};
  }
  const std::string text =
      registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, kMonitorLimitsValue);
  const auto fields = detect::TrimmedFields(text, ',');
  if (fields.size() == 2 || fields.size() == 3) {
    const auto checked = CheckTyped({std::string(fields[0]), std::string(fields[1]),
                                     fields.size() == 3 ? std::string(fields[2]) : ""});
    if (const auto* limits = std::get_if<RangeLimits>(&checked)) return {*limits, std::nullopt};
  }
  return {std::nullopt, text};
}

void StoreLimits(registry::mdlRegistry& registry, const RangeLimits& limits) {
  registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, kMonitorLimitsValue,
                          StoredText(limits));
}

void ForgetLimits(registry::mdlRegistry& registry) {
  if (registry.KeyExists(HKEY_LOCAL_MACHINE, app::kProductKey) &&
      registry.ValueExists(HKEY_LOCAL_MACHINE, app::kProductKey, kMonitorLimitsValue)) {
    registry.DeleteValue(HKEY_LOCAL_MACHINE, app::kProductKey, kMonitorLimitsValue);
  }
}

}  // namespace zorvanel::modes
