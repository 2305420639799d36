#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

void cmdBackup_Click(app::frmMainframe& window);
void cmdRestore_Click(app::frmMainframe& window);

}  // namespace zorvanel::modes
