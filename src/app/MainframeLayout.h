#pragma once
#include "app/WindowNames.h"
#include "platform/ui/Layout.h"

namespace zorvanel::app {

inline constexpr const char* kMainframeCaption = "Zorvanel v2.21f E";

// The main window as designed: every control where it starts, as it starts.
const ui::WindowLayout& MainframeLayout();

}  // namespace zorvanel::app
