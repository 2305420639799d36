#pragma once
#include "platform/ui/Layout.h"

namespace zorvanel::app {

// The window where the user types the monitor's limits in: three fields,
// OK, Cancel and "Use detected".
const ui::WindowLayout& MonitorLimitsLayout();

}  // namespace zorvanel::app
