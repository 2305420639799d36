#pragma once
// The substitute store's content: one tree of keys under HKEY_LOCAL_MACHINE.
// Plain values, so a whole tree can be copied and put back when a write to
// disk fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::store {

struct Value {
  std::string name;
  std::uint32_t type = registry::REG_SZ;
  std::vector<std::uint8_t> data;

  bool operator==(const Value&) const = default;
};

struct Key {
  std::string name;             // as created; compared without regard to ASCII case
  std::vector<Value> values;    // in creation order, which is the enumeration order
  std::vector<Key> subkeys;     // in creation order

  bool operator==(const Key&) const = default;

  Key* FindSubkey(std::string_view subkeyName);
  const Key* FindSubkey(std::string_view subkeyName) const;
  Value* FindValue(std::string_view valueName);
  const Value* FindValue(std::string_view valueName) const;
};

// The one root the store holds, and a tree with nothing under it.
inline constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
Key EmptyRoot();

// Registry names compare like the real registry: ASCII letters without case.
bool NamesEqual(std::string_view a, std::string_view b);
// The order the registry lists subkeys in: by name, letters compared as capitals.
bool NameBefore(std::string_view a, std::string_view b);
// A hash that names equal without case share.
std::uint64_t FoldedHash(std::string_view name);

// Splits a key path at backslashes, dropping empty components, as the
// registry does with "A\\B\\" or "A\\\\B".
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace zorvanel::store
