#include "platform/registry/HandleTable.h"

#include <algorithm>

#include "platform/registry/KeyNames.h"

namespace zorvanel::registry {

const HandleTable::OpenKey* HandleTable::Resolve(KeyHandle handle, const KeyLookup& keys,
                                                long* code) const {
  if (IsLocalMachine(handle)) return &rootKey_;
  auto it = handles_.find(handle);
  if (it == handles_.end()) {
    *code = kInvalidHandle;
    return nullptr;
  }
  if (it->second.deleted || !keys.KeyExists(it->second.path)) {
    *code = kKeyDeleted;
    return nullptr;
  }
  return &it->second;
}

long HandleTable::FullPath(KeyHandle root, const std::string& path, const KeyLookup& keys,
                           Path* full) const {
  long code = kSuccess;
  const OpenKey* base = Resolve(root, keys, &code);
  if (!base) return code;
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  *full = base->path;
  for (auto& part : SplitPath(path)) full->push_back(std::move(part));
  return kSuccess;
}

long HandleTable::OpenExisting(KeyHandle root, const std::string& path, std::uint32_t access,
                               const KeyLookup& keys, KeyHandle* key) {
  if (!key) return kInvalidParameter;
  *key = 0;
  if (path.empty() && IsLocalMachine(root)) {
    *key = root;
    return kSuccess;
  }
  Path full;
  if (long code = FullPath(root, path, keys, &full); code != kSuccess) return code;
  if (!keys.KeyExists(full)) return kFileNotFound;
  *key = Add(std::move(full), access);
  return kSuccess;
}

// Neither registry has security: whoever asks for the most they may have
// gets every right.
KeyHandle HandleTable::Add(Path path, std::uint32_t access) {
  if (access & MAXIMUM_ALLOWED) access |= KEY_ALL_ACCESS;
  const KeyHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = OpenKey{std::move(path), access};
  return handle;
}

void HandleTable::Orphan(const Path& path) {
  for (auto& [handle, open] : handles_) {
    if (std::equal(open.path.begin(), open.path.end(), path.begin(), path.end(), NamesEqual)) {
      open.deleted = true;
    }
  }
}

bool HandleTable::IsOpen(KeyHandle handle) const {
  return IsLocalMachine(handle) || handles_.contains(handle);
}

long HandleTable::Close(KeyHandle handle) {
  if (IsLocalMachine(handle)) return kSuccess;
  return handles_.erase(handle) ? kSuccess : kInvalidHandle;
}

}  // namespace zorvanel::registry
