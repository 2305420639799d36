#pragma once
// The two ways a driver version arrives as text: the driver's own version
// text ("4.5.2.3" stands for 45.23) and the number this program stored the
// last time it ran.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zorvanel::detect {

// Joins the 1st, 3rd, 5th and 7th characters of the driver's version text
// and reads them as a whole number: "4.5.2.3" gives 4523. Nothing when they
// are not plain digits forming a 16-bit number (an empty text, letters, a
// decimal point, a sign): such a version could not be read.
std::optional<std::int16_t> VersionNumberFrom(std::string_view versionText);

// The version number this program stored last time ("4523"), as a number.
// Nothing when the text is not a finite number, for example empty after a
// failed read.
std::optional<double> StoredVersionFrom(std::string_view storedText);

}  // namespace zorvanel::detect
