#pragma once
// The step that changes the system: the mode table written over the driver's
// mode values in its video key and in every device key.

#include <string>

#include "modes/ModeTable.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// Builds the table from the selection in the form detection chose, asks
// whether to switch the compressed mode format on when it is off, asks for
// the final confirmation, writes, and offers the restart.
void WriteModeTable(app::frmMainframe& window, const Selection& selection);

// Replaces the data of every mode value of one key (a path under
// HKEY_LOCAL_MACHINE) with the table, as a text value. Other values, and mode
// values whose data is not text, are left alone; nothing is created.
// Returns how many values it set.
int ReplaceModeValues(registry::mdlRegistry& registry, const std::string& key,
                       const std::string& table);

}  // namespace zorvanel::modes
