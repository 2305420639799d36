#pragma once
// The last good values: the mode values of every driver key as they were
// before a write, kept under the product key so that the write can be undone
// after the restart, or from another system.
//
// LastGood holds one subkey per driver key, numbered in the order the
// writer changes the keys ("0" the video key when there is one, then the
// device keys). Each subkey holds that key's mode values with their type and
// bytes; the LastGood key's value of the same number names the driver key (a
// path under HKEY_LOCAL_MACHINE). The numbers run from 0 without gaps.
//
// When the write turns the compressed format on, the value "SwitchKey" names
// the key whose switch it sets, and the value "UseCompressedModeFormat" is
// that switch as it was, type and bytes; without it the switch did not exist.
//
// Copies made by earlier versions hold the mode values as plain texts and no
// switch; they read and undo the same way.

#include <string>
#include <vector>

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

inline constexpr const char* kSwitchKeyValue = "SwitchKey";

// Replaces any earlier copy with the mode values of these keys, and the
// state of switchKey's format switch unless switchKey is empty; true when
// all of it reads back equal. With no keys, or keys without mode values,
// there is nothing to copy and the copy is complete.
bool SaveLastGood(registry::mdlRegistry& registry, const std::vector<std::string>& keys,
                  const std::string& switchKey);

// Adds the switch's state to a waiting copy that has none: that copy was
// made by a write that left the switch alone, so the switch is still as it
// was then.
void KeepSwitchState(registry::mdlRegistry& registry, const std::string& switchKey);

// The driver keys the copy holds, in its order; empty without a copy. A
// slot whose value is missing gives an empty name.
std::vector<std::string> LastGoodKeys(registry::mdlRegistry& registry);

// Writes every saved value back into its driver key, and the switch back
// as it was; true when every registry call went through and every slot was
// whole. The copy stays either way.
bool WriteBackLastGood(registry::mdlRegistry& registry);

// Removes the copy, its subkeys first.
void DeleteLastGood(registry::mdlRegistry& registry);

}  // namespace zorvanel::modes
