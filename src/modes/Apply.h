#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

void cmdApply_Click(app::frmMainframe& window);

}  // namespace zorvanel::modes
