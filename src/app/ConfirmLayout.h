#pragma once
// The confirm window: shown at the first logon after a write, it undoes the
// new rates unless the user, who can read it, keeps them.

#include <string>
#include <string_view>

#include "platform/ui/Layout.h"

namespace zorvanel::app {

inline constexpr std::string_view kConfirmText =
    "Zorvanel changed your refresh rates. If you can read this, keep them.";
// In safe mode the picture is fine whatever the driver's values.
inline constexpr std::string_view kSafeModeText =
    "Windows started in safe mode. If it did not start normally after Zorvanel changed your "
    "refresh rates, undo them.";
inline constexpr int kCountdownSeconds = 20;

// "Undo in N s".
std::string CountdownText(int seconds);

const ui::WindowLayout& ConfirmLayout();

}  // namespace zorvanel::app
