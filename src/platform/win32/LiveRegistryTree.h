#pragma once
// Reads parts of the live registry under HKEY_LOCAL_MACHINE into a store
// tree, so that they print as .reg text like the substitute store does.

#include <string>
#include <vector>

#include "platform/store/StoreTree.h"

namespace zorvanel::win32 {

// Each root path that exists is read with its values and its whole subtree;
// the keys above it appear without their values, as the path to it. Roots
// that do not exist are left out, and so are the keys above them.
store::Key ReadLiveTree(const std::vector<std::string>& roots);

}  // namespace zorvanel::win32
