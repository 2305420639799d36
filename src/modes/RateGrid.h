#pragma once
#include "modes/ModeTable.h"

namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// Refills every rate box with "<Select!>" and the first count rates, and
// shows "<Select!>" in each.
void FillRateLists(app::frmMainframe& window, int count);
void cmdDeselect_Click(app::frmMainframe& window);

// What the 19 boxes show now. Nothing can change them while a handler runs,
// so one snapshot serves a whole handler.
Selection ReadSelection(app::frmMainframe& window);

// The rate a box shows, in hertz; nullopt for "<Select!>".
std::optional<int> ChosenHertz(const std::string& boxText);

}  // namespace zorvanel::modes
