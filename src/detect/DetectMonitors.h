#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::detect {

// Reads the EDID of every monitor that counts, shows what they take in
// lblMonitor, keeps their combined range limits for Apply and enables the
// best-rates button when limits are known. Runs once, at start-up.
void DetectMonitors(app::frmMainframe& window);

}  // namespace zorvanel::detect
