#pragma once
// What `dump` prints when a replay runs on a live registry. A live registry
// holds far more than a scenario's store, so the dump is limited to the keys
// a scenario can touch: the program's vendor key (which holds the product
// key), the system's RunOnce key (where a write registers its check) and the
// keys the scenario's store file holds, each with its subtree.

#include <string>
#include <vector>

#include "platform/store/StoreTree.h"

namespace zorvanel::replay {

// The key paths whose subtrees a live dump prints. A store file "holds" the
// keys it gives values to and the keys it lists without subkeys; the keys
// above them are only on the way and are not counted.
std::vector<std::string> LiveDumpRoots(const store::Key& storeFile);

}  // namespace zorvanel::replay
