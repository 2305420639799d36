#pragma once
// Subkey lists that the hive's own Windows reads. libhivex writes an "lh"
// list (XP's, format 1.5) for every key it adds or changes, whatever the
// hive's format; Windows 2000 cannot load a hive that holds one.

#include <optional>
#include <string>

#include "platform/store/FileSafety.h"

namespace zorvanel::hive {

// Turns every "lh" list reached from the root of a whole hive file into an
// "lf" list: the same cell and entries, each hash replaced by its key's
// name hint. False, with the hive left as it was, when the hive does not
// pass the whole check.
bool ToFastLeafLists(std::string& hive);
// The same for the hive file at path, rewritten in place.
std::optional<files::Failure> ToFastLeafListsIn(const std::string& path);

}  // namespace zorvanel::hive
