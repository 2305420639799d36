#include "platform/store/SubstituteStore.h"

#include "platform/registry/AnsiText.h"

#include <algorithm>
#include <cstring>

namespace zorvanel::store {

using namespace registry;

SubstituteStore::SubstituteStore(Key root) : root_(std::move(root)) {}

namespace {
template <typename KeyType>
KeyType* FindPath(KeyType* key, const std::vector<std::string>& path) {
  for (const auto& part : path) {
    if (!key) break;
    key = key->FindSubkey(part);
  }
  return key;
}
}  // namespace

Key* SubstituteStore::Find(const std::vector<std::string>& path) { return FindPath(&root_, path); }
const Key* SubstituteStore::Find(const std::vector<std::string>& path) const {
  return FindPath(&root_, path);
}

long SubstituteStore::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                   KeyHandle* key) {
  return handles_.OpenExisting(root, path, access, *this, key);
}

long SubstituteStore::RegCreateKeyEx(KeyHandle root, const std::string& path,
                                     std::uint32_t access, KeyHandle* key) {
  std::vector<std::string> full;
  if (long code = handles_.FullPath(root, path, *this, &full); code != kSuccess) return code;
  if (!Find(full)) {
    Key* parent = &root_;
    std::size_t depth = 0;
    for (; depth < full.size(); ++depth) {
      Key* next = parent->FindSubkey(full[depth]);
      if (!next) break;
      parent = next;
    }
    Key* node = parent;
    for (std::size_t i = depth; i < full.size(); ++i) {
      node = &node->subkeys.emplace_back(Key{full[i], {}, {}});
    }
    if (!Saved()) {
      parent->subkeys.pop_back();  // the first key made holds the others
      return kAccessDenied;
    }
  }
  *key = handles_.Add(std::move(full), access);
  return kSuccess;
}

long SubstituteStore::RegQueryValueEx(KeyHandle key, const std::string& name,
                                      std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* size) {
  if (data && !size) return kInvalidParameter;
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const Value* value = Find(open->path)->FindValue(name);
  if (!value) {
    if (!data && size) *size = 0;
    return kFileNotFound;
  }
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  if (type) *type = value->type;
  if (data) {
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), data);
    // A text stored without its terminator reads with one where it fits.
    const bool terminated = needed > 0 && value->data.back() == 0;
    if (IsTextType(value->type) && !terminated && *size > needed) data[needed] = 0;
  }
  if (size) *size = needed;
  return kSuccess;
}

long SubstituteStore::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_SET_VALUE)) return kAccessDenied;
  if (name.size() > kMaxValueNameLength) return kInvalidParameter;
  Key* target = Find(open->path);
  Value changed{name, type, {}};
  if (data) changed.data.assign(data, data + StoredSize(type, data, size));
  // Replacing keeps the value's place in the enumeration order.
  if (Value* existing = target->FindValue(name)) {
    changed.name = existing->name;
    std::swap(*existing, changed);
    if (!Saved()) {
      *existing = std::move(changed);
      return kAccessDenied;
    }
  } else {
    target->values.push_back(std::move(changed));
    if (!Saved()) {
      target->values.pop_back();
      return kAccessDenied;
    }
  }
  return kSuccess;
}

long SubstituteStore::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, std::uint32_t* type) {
  if (!name || !nameLength) return kInvalidParameter;
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const Key* target = Find(open->path);
  if (index >= target->values.size()) return kNoMoreItems;
  const Value& value = target->values[index];
  if (type) *type = value.type;
  if (value.name.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameLength = static_cast<std::uint32_t>(value.name.size());
  return kSuccess;
}

// The registry lists subkeys sorted by name without regard to case, whatever
// order they were made in (values, by contrast, come in creation order).
long SubstituteStore::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_ENUMERATE_SUB_KEYS)) return kAccessDenied;
  const Key* target = Find(open->path);
  if (index >= target->subkeys.size()) return kNoMoreItems;
  std::vector<std::string> names;
  for (const Key& subkey : target->subkeys) names.push_back(subkey.name);
  std::sort(names.begin(), names.end(), NameBefore);
  const std::string& subkey = names[index];
  if (subkey.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, subkey.c_str(), subkey.size() + 1);
  *nameLength = static_cast<std::uint32_t>(subkey.size());
  return kSuccess;
}

long SubstituteStore::RegDeleteKey(KeyHandle root, const std::string& path) {
  std::vector<std::string> full;
  if (long code = handles_.FullPath(root, path, *this, &full); code != kSuccess) return code;
  if (full.empty()) return kAccessDenied;
  const Key* doomed = Find(full);
  if (!doomed) return kFileNotFound;
  if (!doomed->subkeys.empty()) return kAccessDenied;
  const std::string leaf = full.back();
  const std::vector<std::string> parentPath(full.begin(), full.end() - 1);
  Key* parent = Find(parentPath);
  const auto doomedAt = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                                     [&](const Key& k) { return NamesEqual(k.name, leaf); });
  const auto index = doomedAt - parent->subkeys.begin();
  Key removed = std::move(*doomedAt);
  parent->subkeys.erase(doomedAt);
  if (!Saved()) {
    parent->subkeys.insert(parent->subkeys.begin() + index, std::move(removed));
    return kAccessDenied;
  }
  handles_.Orphan(full);
  return kSuccess;
}

long SubstituteStore::RegDeleteValue(KeyHandle key, const std::string& name) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_SET_VALUE)) return kAccessDenied;
  Key* target = Find(open->path);
  const Value* doomed = target->FindValue(name);
  if (!doomed) return kFileNotFound;
  const auto index = doomed - target->values.data();
  Value removed = std::move(target->values[index]);
  target->values.erase(target->values.begin() + index);
  if (!Saved()) {
    target->values.insert(target->values.begin() + index, std::move(removed));
    return kAccessDenied;
  }
  return kSuccess;
}

long SubstituteStore::RegCloseKey(KeyHandle key) {
  return handles_.Close(key);
}

// Every change is written through at its call already.
long SubstituteStore::RegFlushKey(KeyHandle key) {
  return handles_.IsOpen(key) ? kSuccess : kInvalidHandle;
}

}  // namespace zorvanel::store
