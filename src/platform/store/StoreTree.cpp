#include "platform/store/StoreTree.h"

#include <algorithm>

namespace zorvanel::store {

namespace {
template <typename Item, typename List>
Item* FindByName(List& items, std::string_view name) {
  auto it = std::find_if(items.begin(), items.end(),
                         [&](const auto& item) { return NamesEqual(item.name, name); });
  return it == items.end() ? nullptr : &*it;
}
}  // namespace

Key EmptyRoot() { return Key{std::string(kRootName), {}, {}}; }

Key* Key::FindSubkey(std::string_view subkeyName) { return FindByName<Key>(subkeys, subkeyName); }
const Key* Key::FindSubkey(std::string_view subkeyName) const {
  return FindByName<const Key>(subkeys, subkeyName);
}
Value* Key::FindValue(std::string_view valueName) { return FindByName<Value>(values, valueName); }
const Value* Key::FindValue(std::string_view valueName) const {
  return FindByName<const Value>(values, valueName);
}

}  // namespace zorvanel::store
