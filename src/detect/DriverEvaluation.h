#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::detect {

struct DetectionFindings;

// The second half of detection: the summary, whether the Settings page is
// offered, the rate limit for old drivers, the driver version kept in the
// product key and the backup buttons.
void EvaluateFindings(app::frmMainframe& window, const DetectionFindings& found);

}  // namespace zorvanel::detect
