#pragma once
#include "app/Services.h"
#include "modes/SettingsTexts.h"

namespace zorvanel::modes {

// The driver reads its mode table only when the system starts, so a write,
// a restore or an undo ends with this question. Yes asks for the restart
// and, whatever came of it, closes the program's windows and ends the
// program; No returns with the windows as they were. For a Windows that is
// not running, the question asks to close the program instead, and Yes ends
// it without a restart.
void OfferRestart(app::Services& services, const texts::Box& question);

// The restart without a question, for when the user cannot see the screen;
// the program ends after it. For a Windows that is not running there is
// nothing to restart, and the program just ends.
void RestartNow(app::Services& services);

}  // namespace zorvanel::modes
