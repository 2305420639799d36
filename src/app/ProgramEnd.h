#pragma once
#include "platform/ui/Toolkit.h"

namespace zorvanel::app {

// The program's own way to stop: close the About box if it is loaded, then
// the main window, then end at once.
void EndProgram(ui::Toolkit& toolkit);

}  // namespace zorvanel::app
