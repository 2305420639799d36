#pragma once
// The substitute store's content: one tree of keys under HKEY_LOCAL_MACHINE.
// Plain values, so a whole tree can be copied and put back when a write to
// disk fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/KeyNames.h"
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

// The registry's rules for names and paths, which the store's tree follows.
using registry::FoldedHash;
using registry::NameBefore;
using registry::NamesEqual;
using registry::SplitPath;

}  // namespace zorvanel::store
