#include "modes/Apply.h"

#include "app/frmMainframe.h"

namespace zorvanel::modes {

void cmdApply_Click(app::frmMainframe& /*window*/) {}

}  // namespace zorvanel::modes
