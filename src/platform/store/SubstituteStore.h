#pragma once
// The substitute registry: the registry seam over an in-memory tree, with the
// semantics of the real registry that the program relies on. Optionally every
// change is written through to a file before the call returns.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::store {

class SubstituteStore : public registry::RegistryApi {
 public:
  // Saves the whole tree; false when it could not be saved.
  using Persist = std::function<bool(const Key& root)>;

  explicit SubstituteStore(Key root = EmptyRoot());

  // From now on each change is handed to persist before the call returns; a
  // change that cannot be saved is undone and the call fails with code 5.
  void PersistWith(Persist persist) { persist_ = std::move(persist); }

  const Key& Root() const { return root_; }
  std::size_t OpenHandleCount() const { return handles_.size(); }

  long RegOpenKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                    registry::KeyHandle* key) override;
  long RegCreateKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                      registry::KeyHandle* key) override;
  long RegQueryValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size) override;
  long RegSetValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t size) override;
  long RegEnumValue(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength, std::uint32_t* type) override;
  long RegEnumKeyEx(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength) override;
  long RegDeleteKey(registry::KeyHandle root, const std::string& path) override;
  long RegDeleteValue(registry::KeyHandle key, const std::string& name) override;
  long RegCloseKey(registry::KeyHandle key) override;
  long RegFlushKey(registry::KeyHandle key) override;

 private:
  struct OpenKey {
    std::vector<std::string> path;  // from the root
    std::uint32_t access = 0;
    // Its key was deleted; a key made again at the same path is another key.
    bool deleted = false;
  };

  // The open key (or the root) a handle stands for; null with *code set when
  // the handle is unknown or its key is gone.
  const OpenKey* Resolve(registry::KeyHandle handle, long* code) const;
  Key* Find(const std::vector<std::string>& path);
  const Key* Find(const std::vector<std::string>& path) const;
  // Where path starts: the base key's path, or nullopt for a bad root/handle.
  long BasePath(registry::KeyHandle root, const std::string& path,
                std::vector<std::string>* full) const;
  registry::KeyHandle NewHandle(std::vector<std::string> path, std::uint32_t access);
  // Marks the handles open on the key at path as standing for a deleted key.
  void Orphan(const std::vector<std::string>& path);
  // Saves the tree after a change; on false the caller undoes its change,
  // which costs far less than a copy of the whole tree kept to put back.
  bool Saved() { return !persist_ || persist_(root_); }

  Key root_;
  Persist persist_;
  OpenKey rootKey_{{}, ~0u};
  std::map<registry::KeyHandle, OpenKey> handles_;
  registry::KeyHandle nextHandle_ = 0x100;
};

}  // namespace zorvanel::store
