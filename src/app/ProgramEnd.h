#pragma once
#include "platform/ui/Toolkit.h"

namespace zorvanel::app {

// Closes whichever of the program's windows are loaded, the About box first.
void CloseWindows(ui::Toolkit& toolkit);

// The program's own way to stop: close its windows, then end at once.
void EndProgram(ui::Toolkit& toolkit);

}  // namespace zorvanel::app
