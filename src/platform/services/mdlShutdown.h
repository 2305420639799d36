#pragma once
// The restart offered after a write or a restore: the driver reads its mode
// table only when the system starts.

#include "platform/services/Restart.h"
#include "platform/ui/MessageBoxes.h"

namespace zorvanel::platform {

inline constexpr const char* kRestartFailureText =
    "Failed to shut down the system. Please try it manually.";
inline constexpr const char* kRestartFailureTitle = "Failure";

class mdlShutdown {
 public:
  mdlShutdown(RestartApi& api, ui::MessageBoxes& boxes) : api_(api), boxes_(boxes) {}

  // Asks for the restart, or tells the user to restart by hand; returns in
  // either case.
  void RestartSystem();
  void ShowRestartFailure();

 private:
  RestartApi& api_;
  ui::MessageBoxes& boxes_;
};

}  // namespace zorvanel::platform
