#pragma once
#include "platform/ui/Toolkit.h"

namespace zorvanel::app {

// Closes the About box if it is loaded, then the main window.
void CloseWindows(ui::Toolkit& toolkit);

// The program's own way to stop: close its windows, then end at once.
void EndProgram(ui::Toolkit& toolkit);

}  // namespace zorvanel::app
