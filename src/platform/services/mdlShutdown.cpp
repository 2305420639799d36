#include "platform/services/mdlShutdown.h"

namespace zorvanel::platform {

void mdlShutdown::RestartSystem() {
  if (!api_.AcquireRestartRight()) {
    ShowRestartFailure();
    return;
  }
  api_.RequestRestart();
}

void mdlShutdown::ShowRestartFailure() {
  boxes_.MessageBox(kRestartFailureText, ui::Buttons::OK, ui::Icon::Critical,
                    kRestartFailureTitle);
}

}  // namespace zorvanel::platform
