#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::detect {

// Finds the monitors that count and what each takes (its EDID's range
// limits, or else the ranges its INF left), reads the limits the user typed
// in, shows them in lblMonitor and its tooltip, keeps the limits in force
// for Apply and enables the best-rates button when there are any. Runs at
// start-up and again when the typed limits change.
void DetectMonitors(app::frmMainframe& window);

}  // namespace zorvanel::detect
