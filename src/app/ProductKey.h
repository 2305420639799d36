#pragma once
// The program's own registry key, under HKEY_LOCAL_MACHINE: the version that
// made it, the driver version last seen, and the backup of the driver's modes.

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::app {

inline constexpr const char* kProductKey = "SOFTWARE\\Dravenlock\\Zorvanel";
inline constexpr const char* kBackupKey = "SOFTWARE\\Dravenlock\\Zorvanel\\Backup";
inline constexpr const char* kVersionValue = "Version";
inline constexpr const char* kDetonatorVersionValue = "DetonatorVersion";
inline constexpr const char* kProgramVersion = "2.21f E";

// Creates the product key and its empty backup key, and records this
// version. Each step reports its own failure and the next runs regardless.
void CreateProductKey(registry::mdlRegistry& registry);

}  // namespace zorvanel::app
