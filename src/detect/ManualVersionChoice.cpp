#include "detect/ManualVersionChoice.h"

#include "app/frmMainframe.h"

namespace zorvanel::detect {

void obtVerError28_Click(app::frmMainframe& /*window*/) {}
void obtVerError40_Click(app::frmMainframe& /*window*/) {}

}  // namespace zorvanel::detect
