#pragma once
// libhivex's C calls as the hive code uses them: owned results, value types
// as 32-bit numbers, names converted, values read as the ANSI calls see them.

#include <hivex.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace zorvanel::hive {

// libhivex hands out malloc'd strings and arrays.
struct Free {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Free>;

// A value's type is any 32-bit number in a hive, but libhivex's enum for it
// holds only 0 to 15 in C++: types pass through 32-bit numbers instead.
static_assert(sizeof(hive_type) == sizeof(std::uint32_t));
inline hive_type* TypeField(std::uint32_t* type) { return reinterpret_cast<hive_type*>(type); }

hive_set_value SetValue(char* name, std::uint32_t type, std::size_t length, char* data);
std::string NodeName(hive_h* hive, hive_node_h node);
std::string ValueName(hive_h* hive, hive_value_h value);
hive_node_h Child(hive_h* hive, hive_node_h node, const std::string& name);
// The value's data as the ANSI calls see it; false when the hive cannot give it.
bool ReadValue(hive_h* hive, hive_value_h value, std::uint32_t* type,
               std::vector<std::uint8_t>* data);

}  // namespace zorvanel::hive
