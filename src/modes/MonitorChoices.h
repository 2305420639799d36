#pragma once
#include "modes/ModeTable.h"

namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// Asks before a choice beyond the monitor's limits is written; true when
// none is, when no limits are known, or when the user goes on anyway.
bool ProceedBeyondMonitor(app::frmMainframe& window, const Selection& selection);

// Sets every resolution to the fastest rate of its list that the monitor
// takes and that no driver warning is about, or to "<Select!>".
void cmdBestRates_Click(app::frmMainframe& window);

}  // namespace zorvanel::modes
