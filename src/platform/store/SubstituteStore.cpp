#include "platform/store/SubstituteStore.h"

#include <algorithm>
#include <cstring>

namespace zorvanel::store {

using namespace registry;

SubstituteStore::SubstituteStore(Key root) : root_(std::move(root)) {}

Key SubstituteStore::EmptyRoot() { return Key{"HKEY_LOCAL_MACHINE", {}, {}}; }

const SubstituteStore::OpenKey* SubstituteStore::Resolve(KeyHandle handle, long* code) const {
  if (handle == HKEY_LOCAL_MACHINE) return &rootKey_;
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    *code = kInvalidHandle;
    return nullptr;
  }
  if (!Find(it->second.path)) {
    *code = kKeyDeleted;
    return nullptr;
  }
  return &it->second;
}

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

long SubstituteStore::BasePath(KeyHandle root, const std::string& path,
                               std::vector<std::string>* full) const {
  long code = kSuccess;
  const OpenKey* base = Resolve(root, &code);
  if (!base) return code;
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  *full = base->path;
  for (auto& part : SplitPath(path)) full->push_back(std::move(part));
  return kSuccess;
}

KeyHandle SubstituteStore::NewHandle(std::vector<std::string> path, std::uint32_t access) {
  const KeyHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = OpenKey{std::move(path), access};
  return handle;
}

long SubstituteStore::Commit(const std::function<void(Key&)>& change) {
  if (!persist_) {
    change(root_);
    return kSuccess;
  }
  Key before = root_;
  change(root_);
  if (persist_(root_)) return kSuccess;
  root_ = std::move(before);
  return kAccessDenied;
}

long SubstituteStore::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                   KeyHandle* key) {
  std::vector<std::string> full;
  if (long code = BasePath(root, path, &full); code != kSuccess) return code;
  if (!Find(full)) return kFileNotFound;
  *key = NewHandle(std::move(full), access);
  return kSuccess;
}

long SubstituteStore::RegCreateKeyEx(KeyHandle root, const std::string& path,
                                     std::uint32_t access, KeyHandle* key) {
  std::vector<std::string> full;
  if (long code = BasePath(root, path, &full); code != kSuccess) return code;
  if (!Find(full)) {
    long code = Commit([&](Key& tree) {
      Key* node = &tree;
      for (const auto& part : full) {
        Key* next = node->FindSubkey(part);
        if (!next) next = &node->subkeys.emplace_back(Key{part, {}, {}});
        node = next;
      }
    });
    if (code != kSuccess) return code;
  }
  *key = NewHandle(std::move(full), access);
  return kSuccess;
}

long SubstituteStore::RegQueryValueEx(KeyHandle key, const std::string& name,
                                      std::uint32_t* type, std::uint8_t* data,
                                      std::uint32_t* size) {
  long code = kSuccess;
  const OpenKey* open = Resolve(key, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const Value* value = Find(open->path)->FindValue(name);
  if (!value) return kFileNotFound;
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  if (type) *type = value->type;
  if (data) {
    if (!size) return kInvalidHandle;
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), data);
  }
  if (size) *size = needed;
  return kSuccess;
}

long SubstituteStore::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size) {
  long code = kSuccess;
  const OpenKey* open = Resolve(key, &code);
  if (!open) return code;
  if (!(open->access & KEY_SET_VALUE)) return kAccessDenied;
  // The registry refuses value names longer than this.
  if (name.size() > 16383) return kInvalidParameter;
  std::vector<std::uint8_t> bytes(data, data + (data ? size : 0));
  const auto path = open->path;
  return Commit([&](Key& tree) {
    Key* target = FindPath(&tree, path);
    // Replacing keeps the value's place in the enumeration order.
    if (Value* existing = target->FindValue(name)) {
      existing->type = type;
      existing->data = std::move(bytes);
    } else {
      target->values.push_back(Value{name, type, std::move(bytes)});
    }
  });
}

long SubstituteStore::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, std::uint32_t* type) {
  long code = kSuccess;
  const OpenKey* open = Resolve(key, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const Key* target = Find(open->path);
  if (index >= target->values.size()) return kNoMoreItems;
  const Value& value = target->values[index];
  if (value.name.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameLength = static_cast<std::uint32_t>(value.name.size());
  if (type) *type = value.type;
  return kSuccess;
}

// The registry lists subkeys sorted by name without regard to case, whatever
// order they were made in (values, by contrast, come in creation order).
long SubstituteStore::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength) {
  long code = kSuccess;
  const OpenKey* open = Resolve(key, &code);
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
  if (long code = BasePath(root, path, &full); code != kSuccess) return code;
  if (full.empty()) return kAccessDenied;
  const Key* doomed = Find(full);
  if (!doomed) return kFileNotFound;
  if (!doomed->subkeys.empty()) return kAccessDenied;
  const std::string leaf = full.back();
  full.pop_back();
  return Commit([&](Key& tree) {
    Key* parent = FindPath(&tree, full);
    std::erase_if(parent->subkeys, [&](const Key& k) { return NamesEqual(k.name, leaf); });
  });
}

long SubstituteStore::RegCloseKey(KeyHandle key) {
  if (key == HKEY_LOCAL_MACHINE) return kSuccess;
  return handles_.erase(key) ? kSuccess : kInvalidHandle;
}

}  // namespace zorvanel::store
