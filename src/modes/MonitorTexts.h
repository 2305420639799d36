#pragma once
// What lblMonitor, its tooltip and the limits window say about where the
// monitor's limits come from.

#include <string_view>

namespace zorvanel::modes::texts {

// "NAME (driver): 31-65 kHz, 55-120 Hz" for a monitor known from its INF.
inline constexpr std::string_view kDriverSource = " (driver)";
// "Entered: 30-96 kHz, 50-160 Hz, 230 MHz" for limits the user typed in.
inline constexpr std::string_view kEnteredSource = "Entered";
// A tooltip line, followed by the stored text.
inline constexpr std::string_view kEnteredUnreadable = "Entered limits could not be read: ";

inline constexpr std::string_view kLimitsWindowCaption = "Monitor limits";
inline constexpr std::string_view kWrongHorizontalRange =
    "Horizontal range (kHz): enter the lowest and the highest line rate your monitor takes, "
    "from 15 to 250, the lower first, such as 30-96.";
inline constexpr std::string_view kWrongVerticalRange =
    "Vertical range (Hz): enter the lowest and the highest refresh rate your monitor takes, "
    "from 40 to 250, the lower first, such as 50-160.";
inline constexpr std::string_view kWrongPixelClock =
    "Maximum pixel clock (MHz): leave it empty, or enter one number up to 1000, such as 230.";

}  // namespace zorvanel::modes::texts
