#pragma once
// The program's own registry key, under HKEY_LOCAL_MACHINE: the version that
// made it, the driver version last seen, the backup of the driver's modes,
// and what the automatic undo of a write needs.

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::app {

inline constexpr const char* kProductKey = "SOFTWARE\\Dravenlock\\Zorvanel";
inline constexpr const char* kBackupKey = "SOFTWARE\\Dravenlock\\Zorvanel\\Backup";
inline constexpr const char* kVersionValue = "Version";
inline constexpr const char* kDetonatorVersionValue = "DetonatorVersion";
inline constexpr const char* kProgramVersion = "2.21f E";

// The mode values as they were before the first write that is not yet
// confirmed, one numbered subkey per driver key (see modes/SafetyCopy.h).
inline constexpr const char* kLastGoodKey = "SOFTWARE\\Dravenlock\\Zorvanel\\LastGood";
// The mode table of a write that waits for the check after the restart.
inline constexpr const char* kPendingConfirmValue = "PendingConfirm";
// The user's last applied rates, for the next driver version.
inline constexpr const char* kLastChoiceValue = "LastChoice";

// Creates the product key and its empty backup key, and records this
// version. Each step reports its own failure and the next runs regardless.
void CreateProductKey(registry::mdlRegistry& registry);

}  // namespace zorvanel::app
