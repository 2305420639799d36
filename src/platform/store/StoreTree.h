#pragma once
// The substitute store's content: one tree of keys under HKEY_LOCAL_MACHINE.
// Plain values, so a whole tree can be copied and put back when a write to
// disk fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::store {

// Registry value types the store keeps apart; any other number is kept as is.
enum ValueType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

// The types that hold text, which the registry ends with a NUL.
inline constexpr bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

struct Value {
  std::string name;
  std::uint32_t type = kRegSz;
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

// Splits a key path at backslashes, dropping empty components, as the
// registry does with "A\\B\\" or "A\\\\B".
std::vector<std::string> SplitPath(std::string_view path);

}  // namespace zorvanel::store
