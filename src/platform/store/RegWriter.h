#pragma once
// The .reg writer's pieces that reading needs too: the reader keeps count
// of what the writer will make of a tree, and reading back follows the
// writer's order of keys.

#include <cstddef>
#include <string>

#include "platform/store/StoreTree.h"

namespace zorvanel::store {

// Appends the value's line (and the comment line before it, if any).
void AppendValue(std::string& out, const Value& value);

// The root's line is written only when the root holds values: the file
// needs no line for a key that is there anyway.
bool WritesKeyLine(const Key& key, bool isRoot);

// What a key's line and its closing blank line add to the file.
std::size_t KeyLineSize(std::size_t pathLength);

// What the header adds to the file.
std::size_t HeaderSize();

}  // namespace zorvanel::store
