#pragma once
// How the registry treats key and value names and key paths.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::registry {

// Registry names compare like the real registry: ASCII letters without case.
bool NamesEqual(std::string_view a, std::string_view b);
// The order the registry lists subkeys in: by name, letters compared as capitals.
bool NameBefore(std::string_view a, std::string_view b);
// A hash that names equal without case share.
std::uint64_t FoldedHash(std::string_view name);

// Splits a key path at backslashes, dropping empty components, as the
// registry does with "A\\B\\" or "A\\\\B".
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace zorvanel::registry
