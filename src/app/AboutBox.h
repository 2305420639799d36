#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::app {

// Opens the About box modally over the main window.
void mnuAbout_Click(frmMainframe& window);

}  // namespace zorvanel::app
