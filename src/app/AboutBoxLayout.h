#pragma once
#include "platform/ui/Layout.h"

namespace zorvanel::app {

// The About box as designed: name, version, maker and the two links.
const ui::WindowLayout& AboutBoxLayout();

}  // namespace zorvanel::app
