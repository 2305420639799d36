// HiveRegistry's picture of both hives as the substitute store holds it.
#include "platform/hive/HiveRegistry.h"

#include <cctype>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/hive/HiveCheck.h"
#include "platform/hive/HivexCalls.h"

namespace zorvanel::hive {

namespace {

// "ControlSet" and three digits, in any case.
bool IsControlSet(const std::string& name) {
  return name.size() == 13 && store::NamesEqual(name.substr(0, 10), "ControlSet") &&
         std::isdigit(static_cast<unsigned char>(name[10])) &&
         std::isdigit(static_cast<unsigned char>(name[11])) &&
         std::isdigit(static_cast<unsigned char>(name[12]));
}

void ReadValues(hive_h* hive, hive_node_h node, store::Key& key) {
  Owned<hive_value_h> values(hivex_node_values(hive, node));
  for (std::size_t i = 0; values && values.get()[i]; ++i) {
    store::Value value{ValueName(hive, values.get()[i]), 0, {}};
    if (ReadValue(hive, values.get()[i], &value.type, &value.data)) {
      key.values.push_back(std::move(value));
    }
  }
}

// The whole tree below the hive's root, read without recursion. A hive whose
// keys loop, or nest deeper than Windows allows, is refused: its shape must
// not decide how deep or how long this runs.
store::Key ReadTree(const HiveFile& file, std::string name) {
  hive_h* hive = file.Handle();
  struct Pending {
    hive_node_h node;
    store::Key* key;  // filled here; its parent's list of subkeys is complete
    std::string path;  // below the root, for the message
    std::size_t depth;
  };
  store::Key root{std::move(name), {}, {}};
  std::vector<Pending> pending{{hivex_root(hive), &root, "", 0}};
  std::unordered_set<hive_node_h> reached;
  while (!pending.empty()) {
    Pending next = std::move(pending.back());
    pending.pop_back();
    if (!reached.insert(next.node).second || next.depth > kMaxKeyDepth) {
      throw HiveFileError("The registry file " + file.Path() + " cannot be read whole: its keys loop or nest "
                          "deeper than Windows allows, at the key " + next.path + ".");
    }
    ReadValues(hive, next.node, *next.key);
    Owned<hive_node_h> children(hivex_node_children(hive, next.node));
    for (std::size_t i = 0; children && children.get()[i]; ++i) {
      next.key->subkeys.push_back({NodeName(hive, children.get()[i]), {}, {}});
    }
    for (std::size_t i = next.key->subkeys.size(); i-- > 0;) {
      store::Key& child = next.key->subkeys[i];
      pending.push_back({children.get()[i], &child, (next.path.empty() ? "" : next.path + "\\") + child.name,
                         next.depth + 1});
    }
  }
  return root;
}

}  // namespace

store::Key HiveRegistry::Snapshot() const {
  store::Key root{"HKEY_LOCAL_MACHINE", {}, {}};
  root.subkeys.push_back(ReadTree(*software_, "SOFTWARE"));
  store::Key systemKey{"SYSTEM", {}, {}};
  store::Key whole = ReadTree(*system_, "SYSTEM");
  systemKey.values = std::move(whole.values);
  for (auto& key : whole.subkeys) {
    if (store::NamesEqual(key.name, currentControlSet_)) {
      key.name = "CurrentControlSet";
    } else if (store::NamesEqual(key.name, "Select") || IsControlSet(key.name)) {
      continue;
    }
    systemKey.subkeys.push_back(std::move(key));
  }
  root.subkeys.push_back(std::move(systemKey));
  return root;
}

}  // namespace zorvanel::hive
