#pragma once
// The texts monitor limits come in: the Mode values a monitor's INF leaves
// under its driver key ("30.0-96.0,50.0-160.0,+,+"), the names of their
// MODES subkeys ("1600,1200"), and the decimals both are written with.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "detect/Edid.h"

namespace zorvanel::detect {

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

struct Span {
  double low = 0;
  double high = 0;
};

// The fields between separators, blanks around each removed.
std::vector<std::string_view> TrimmedFields(std::string_view text, char separator);

// "31.5" or "83": digits with at most one point between digits, above zero.
std::optional<double> ParseDecimal(std::string_view text);

// "31-83.0" or a single number, a range of one value; the smaller first.
std::optional<Span> ParseSpan(std::string_view text);

// "H-H,V-V" and up to two sync polarities ("+", "-" or missing): the
// horizontal range in kHz, the vertical in Hz, no clock. Blanks around a
// field are allowed; anything else broken makes it nullopt.
std::optional<RangeLimits> ParseModeText(std::string_view text);

// "1600,1200": a MODES subkey's name, the largest resolution of its range.
std::optional<ScreenSize> ParseSizeKey(std::string_view name);

// One decimal where the number has one, none for a whole number: "31.5", "83".
std::string DecimalText(double number);

// The number rounded to one decimal, as "%.1f" writes it ("85.0"). Written
// by hand: printf's floating-point formatting alone would add some 25 KB to
// the statically linked Windows program.
std::string OneDecimal(double number);
// "31.5-83".
std::string RangeText(double low, double high);

}  // namespace zorvanel::detect
