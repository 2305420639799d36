#include "platform/hive/HivexCalls.h"

#include <cstring>

#include "platform/hive/HiveNames.h"
#include "platform/registry/AnsiText.h"

namespace zorvanel::hive {

using namespace registry;

hive_set_value SetValue(char* name, std::uint32_t type, std::size_t length, char* data) {
  hive_set_value value{name, {}, length, data};
  std::memcpy(&value.t, &type, sizeof type);
  return value;
}

std::string NodeName(hive_h* hive, hive_node_h node) {
  Owned<char> name(hivex_node_name(hive, node));
  return name ? FromHiveName(name.get()) : std::string();
}

std::string ValueName(hive_h* hive, hive_value_h value) {
  Owned<char> name(hivex_value_key(hive, value));
  return name ? FromHiveName(std::string_view(name.get(), hivex_value_key_len(hive, value)))
              : std::string();
}

hive_node_h Child(hive_h* hive, hive_node_h node, const std::string& name) {
  return hivex_node_get_child(hive, node, ToHiveName(name).c_str());
}

bool ReadValue(hive_h* hive, hive_value_h value, std::uint32_t* type,
               std::vector<std::uint8_t>* data) {
  std::size_t length = 0;
  Owned<char> raw(hivex_value_value(hive, value, TypeField(type), &length));
  if (!raw) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(raw.get());
  if (IsTextType(*type)) {
    const std::string text = NarrowToAnsi(bytes, length);
    data->assign(text.begin(), text.end());
  } else {
    data->assign(bytes, bytes + length);
  }
  return true;
}

}  // namespace zorvanel::hive
