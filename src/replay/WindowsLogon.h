#pragma once
// What Windows does with the RunOnce key of HKEY_LOCAL_MACHINE at logon, for
// the replay's `logon`: the machine reset, the next logon runs the entries.

#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::replay {

// Deletes every entry it runs before running it, as Windows does for an
// entry whose name has no "!" in front; in safe mode it runs only those
// whose name starts with "*". Returns their command lines in the key's
// order; empty when there is no key or no entry to run.
std::vector<std::string> RunOnceAtLogon(registry::RegistryApi& api, bool safeMode);

}  // namespace zorvanel::replay
