#include "detect/VersionNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace zorvanel::detect {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int16_t> VersionNumberFrom(std::string_view versionText) {
  std::string joined;
  for (std::size_t position = 0; position < 7 && position < versionText.size(); position += 2) {
    joined.push_back(versionText[position]);
  }
  // from_chars alone would accept a leading minus sign; a version has none.
  if (joined.empty() || !std::all_of(joined.begin(), joined.end(), IsDigit)) return std::nullopt;
  std::int16_t number = 0;
  const char* end = joined.data() + joined.size();
  const auto [stop, error] = std::from_chars(joined.data(), end, number);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return number;
}

std::optional<double> StoredVersionFrom(std::string_view storedText) {
  double number = 0;
  const char* begin = storedText.data();
  const char* end = begin + storedText.size();
  const auto [stop, error] = std::from_chars(begin, end, number);
  if (storedText.empty() || error != std::errc{} || stop != end || !std::isfinite(number)) {
    return std::nullopt;
  }
  return number;
}

}  // namespace zorvanel::detect
