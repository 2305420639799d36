#include "modes/BackupRestore.h"

#include "app/frmMainframe.h"

namespace zorvanel::modes {

void cmdBackup_Click(app::frmMainframe& /*window*/) {}
void cmdRestore_Click(app::frmMainframe& /*window*/) {}

}  // namespace zorvanel::modes
