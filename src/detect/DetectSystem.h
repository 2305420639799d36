#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::detect {

// Finds the platform and the driver, fills the System information page,
// and decides what the user may do in this run. Runs once, at start-up.
void DetectSystem(app::frmMainframe& window);

}  // namespace zorvanel::detect
