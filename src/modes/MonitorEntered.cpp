#include "modes/MonitorEntered.h"

#include <vector>

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

std::string SpanText(double low, double high) { return DecimalText(low) + "-" + DecimalText(high); }

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const auto comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
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
  return {SpanText(limits.minHorizontalKHz, limits.maxHorizontalKHz),
          SpanText(limits.minVerticalHz, limits.maxVerticalHz),
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
  const auto fields = Split(text);
  if (fields.size() == 2 || fields.size() == 3) {
    const auto checked =
        CheckTyped({fields[0], fields[1], fields.size() == 3 ? fields[2] : std::string()});
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
