#include "app/AboutBox.h"

#include "app/frmMainframe.h"

namespace zorvanel::app {

void mnuAbout_Click(frmMainframe& /*window*/) {}

}  // namespace zorvanel::app
