#pragma once
// The last good values: the mode values of every driver key as they were
// before a write, kept under the product key so that the write can be undone
// after the restart, or from another system.
//
// LastGood holds one subkey per driver key, numbered in the order the
// writer changes the keys ("0" the video key when there is one, then the
// device keys). Each subkey holds that key's mode values; the LastGood key's
// value of the same number names the driver key (a path under
// HKEY_LOCAL_MACHINE). The numbers run from 0 without gaps.

#include <string>
#include <vector>

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

// Replaces any earlier copy with the mode values of these keys; true when
// every value the writer will overwrite reads back equal. With no keys, or
// keys without mode values, there is nothing to copy and the copy is complete.
bool SaveLastGood(registry::mdlRegistry& registry, const std::vector<std::string>& keys);

// The driver keys the copy holds, in its order; empty without a copy.
std::vector<std::string> LastGoodKeys(registry::mdlRegistry& registry);

// Writes every saved value back into its driver key; true when every
// registry call went through. The copy stays either way.
bool WriteBackLastGood(registry::mdlRegistry& registry);

// Removes the copy, its subkeys first.
void DeleteLastGood(registry::mdlRegistry& registry);

}  // namespace zorvanel::modes
