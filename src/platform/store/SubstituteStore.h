#pragma once
// The substitute registry: the registry seam over an in-memory tree, with the
// semantics of the real registry that the program relies on. Optionally every
// change is written through to a file before the call returns.

#include <functional>
#include <string>
#include <vector>

#include "platform/registry/HandleTable.h"
#include "platform/registry/RegistryApi.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::store {

class SubstituteStore : public registry::RegistryApi, private registry::KeyLookup {
 public:
  // Saves the whole tree; false when it could not be saved.
  using Persist = std::function<bool(const Key& root)>;

  explicit SubstituteStore(Key root = EmptyRoot());

  // From now on each change is handed to persist before the call returns; a
  // change that cannot be saved is undone and the call fails with code 5.
  void PersistWith(Persist persist) { persist_ = std::move(persist); }

  const Key& Root() const { return root_; }
  std::size_t OpenHandleCount() const { return handles_.Count(); }

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
  Key* Find(const std::vector<std::string>& path);
  const Key* Find(const std::vector<std::string>& path) const;
  bool KeyExists(const std::vector<std::string>& path) const override { return Find(path); }
  // Saves the tree after a change; on false the caller undoes its change,
  // which costs far less than a copy of the whole tree kept to put back.
  bool Saved() { return !persist_ || persist_(root_); }

  Key root_;
  Persist persist_;
  registry::HandleTable handles_;
};

}  // namespace zorvanel::store
