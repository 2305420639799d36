#include "tests/hive/FillerKeys.h"

#include <hivex.h>

#include <string>
#include <vector>

namespace zorvanel::hive {

void AddFillerKeys(const std::filesystem::path& file, std::initializer_list<const char*> path, int keys) {
  hive_h* hive = hivex_open(file.c_str(), HIVEX_OPEN_WRITE);
  hive_node_h node = hivex_root(hive);
  for (const char* name : path) {
    const hive_node_h child = hivex_node_get_child(hive, node, name);
    node = child ? child : hivex_node_add_child(hive, node, name);
  }
  std::string text(40, 'x');
  std::vector<std::string> names;
  for (int v = 0; v < 80; ++v) names.push_back("Value" + std::to_string(v));
  for (int k = 0; k < keys; ++k) {
    const hive_node_h key = hivex_node_add_child(hive, node, ("Filler" + std::to_string(k)).c_str());
    std::vector<hive_set_value> values;
    for (auto& name : names) values.push_back({name.data(), hive_t_REG_SZ, text.size(), text.data()});
    hivex_node_set_values(hive, key, values.size(), values.data(), 0);
  }
  hivex_commit(hive, nullptr, 0);
  hivex_close(hive);
}

}  // namespace zorvanel::hive
