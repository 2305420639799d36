#include "detect/ModeText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace zorvanel::detect {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool IsPolarity(std::string_view field) { return field.empty() || field == "+" || field == "-"; }

}  // namespace

std::vector<std::string_view> TrimmedFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const auto end = text.find(separator, start);
    fields.push_back(Trimmed(text.substr(start, end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

// from_chars alone would take "1e3", "inf" and a sign: the characters are
// checked first.
std::optional<double> ParseDecimal(std::string_view text) {
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  auto digits = [](std::string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), IsDigit);
  };
  if (!digits(whole) || !digits(fraction) || text.size() > 16) return std::nullopt;
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number <= 0) return std::nullopt;
  return number;
}

std::optional<Span> ParseSpan(std::string_view text) {
  const auto parts = TrimmedFields(text, '-');
  if (parts.size() > 2) return std::nullopt;
  const auto low = ParseDecimal(parts.front());
  const auto high = ParseDecimal(parts.back());
  if (!low || !high || *low > *high) return std::nullopt;
  return Span{*low, *high};
}

std::optional<RangeLimits> ParseModeText(std::string_view text) {
  const auto fields = TrimmedFields(text, ',');
  if (fields.size() < 2 || fields.size() > 4) return std::nullopt;
  if (!std::all_of(fields.begin() + 2, fields.end(), IsPolarity)) return std::nullopt;
  const auto horizontal = ParseSpan(fields[0]);
  const auto vertical = ParseSpan(fields[1]);
  if (!horizontal || !vertical) return std::nullopt;
  return RangeLimits{.minVerticalHz = vertical->low, .maxVerticalHz = vertical->high,
                     .minHorizontalKHz = horizontal->low, .maxHorizontalKHz = horizontal->high};
}

std::optional<ScreenSize> ParseSizeKey(std::string_view name) {
  const auto fields = TrimmedFields(name, ',');
  if (fields.size() != 2) return std::nullopt;
  ScreenSize size;
  for (auto [field, number] : {std::pair{fields[0], &size.width}, {fields[1], &size.height}}) {
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *number);
    if (field.empty() || !IsDigit(field.front()) || error != std::errc() ||
        end != field.data() + field.size() || *number <= 0) {
      return std::nullopt;
    }
  }
  return size;
}

std::string OneDecimal(double number) {
  const long long tenths = std::llround(number * 10);
  const std::string sign = tenths < 0 ? "-" : "";
  const long long magnitude = tenths < 0 ? -tenths : tenths;
  return sign + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

std::string DecimalText(double number) {
  std::string result = OneDecimal(number);
  if (result.ends_with(".0")) result.resize(result.size() - 2);
  return result;
}

std::string RangeText(double low, double high) { return DecimalText(low) + "-" + DecimalText(high); }

}  // namespace zorvanel::detect
