#pragma once
#include "modes/SettingsTexts.h"

namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// The driver reads its mode table only when the system starts, so a write or
// a restore ends with this question. Yes asks for the restart and, whatever
// came of it, closes the program's windows and ends the program; No returns
// with the window as it was.
void OfferRestart(app::frmMainframe& window, const texts::Box& question);

}  // namespace zorvanel::modes
