#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::detect {

// The user names the driver generation when its version could not be read.
void obtVerError28_Click(app::frmMainframe& window);
void obtVerError40_Click(app::frmMainframe& window);

}  // namespace zorvanel::detect
