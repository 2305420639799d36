#pragma once
// The key handles a registry hands out: the key each one stands for, the
// rights it was opened with, and whether that key has been deleted since.
// The substitute store and the hives keep their keys differently and share
// this table, so a handle behaves the same on both.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::registry {

using KeyPath = std::vector<std::string>;  // below HKEY_LOCAL_MACHINE

// What the table asks of the registry that keeps the keys.
class KeyLookup {
 public:
  virtual bool KeyExists(const KeyPath& path) const = 0;

 protected:
  ~KeyLookup() = default;
};

class HandleTable {
 public:
  using Path = KeyPath;
  struct OpenKey {
    Path path;  // as the caller spelled it
    std::uint32_t access = 0;
    // Its key was deleted; a key made again at the same path is another key.
    bool deleted = false;
  };
  std::size_t Count() const { return handles_.size(); }

  // The open key (or HKEY_LOCAL_MACHINE) a handle stands for; null with
  // *code set when the handle is unknown or its key is gone.
  const OpenKey* Resolve(KeyHandle handle, const KeyLookup& keys, long* code) const;
  // The path from HKEY_LOCAL_MACHINE of path below the key root stands for.
  long FullPath(KeyHandle root, const std::string& path, const KeyLookup& keys, Path* full) const;
  // RegOpenKeyEx for every registry: opens a key that exists.
  long OpenExisting(KeyHandle root, const std::string& path, std::uint32_t access,
                    const KeyLookup& keys, KeyHandle* key);
  KeyHandle Add(Path path, std::uint32_t access);
  // Marks the handles open on the key at path as standing for a deleted key.
  void Orphan(const Path& path);
  bool IsOpen(KeyHandle handle) const;
  long Close(KeyHandle handle);

 private:
  OpenKey rootKey_{{}, ~0u};
  std::map<KeyHandle, OpenKey> handles_;
  KeyHandle nextHandle_ = 0x100;
};

}  // namespace zorvanel::registry
