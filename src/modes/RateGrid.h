#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// Refills every rate box with "<Select!>" and the first count rates, and
// shows "<Select!>" in each.
void FillRateLists(app::frmMainframe& window, int count);
void cmdDeselect_Click(app::frmMainframe& window);

}  // namespace zorvanel::modes
