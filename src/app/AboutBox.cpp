#include "app/AboutBox.h"

#include "app/WindowNames.h"
#include "app/frmMainframe.h"

namespace zorvanel::app {

void mnuAbout_Click(frmMainframe& window) {
  window.platform().ui.ShowModal(kAboutBox, kMainframe);
}

}  // namespace zorvanel::app
