#include "platform/win32/LiveRegistryTree.h"

#include "platform/registry/RegistryApi.h"
#include "platform/win32/OpenKey.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

namespace {

// Reads into a buffer that grows until the data fits.
template <typename Read>
LONG ReadGrowing(std::vector<BYTE>& buffer, Read read) {
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG code = read(buffer.empty() ? nullptr : buffer.data(), &size);
    if (code != ERROR_MORE_DATA || size <= buffer.size()) {
      if (code == ERROR_SUCCESS) buffer.resize(size);
      return code;
    }
    buffer.resize(size);
  }
}

void ReadValues(HKEY key, store::Key& into) {
  char name[16384];
  for (DWORD index = 0;; ++index) {
    std::vector<BYTE> data(256);
    std::string valueName;
    DWORD type = 0;
    const LONG code = ReadGrowing(data, [&](BYTE* buffer, DWORD* size) {
      DWORD nameLength = sizeof name;
      const LONG result =
          ::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, buffer, size);
      if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) valueName.assign(name, nameLength);
      return result;
    });
    if (code != ERROR_SUCCESS) return;  // ERROR_NO_MORE_ITEMS, or a value that vanished
    into.values.push_back(store::Value{valueName, type, {data.begin(), data.end()}});
  }
}

void ReadSubtree(HKEY key, store::Key& into) {
  ReadValues(key, into);
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return;
    }
    OpenKey subkey(key, name, registry::KEY_READ);
    if (!subkey) continue;
    store::Key child{std::string(name, length), {}, {}};
    ReadSubtree(subkey.get(), child);
    into.subkeys.push_back(std::move(child));
  }
}

// The key at path in the tree, made with its parents when missing.
store::Key& Place(store::Key& root, const std::vector<std::string>& path) {
  store::Key* key = &root;
  for (const auto& part : path) {
    store::Key* next = key->FindSubkey(part);
    key = next ? next : &key->subkeys.emplace_back(store::Key{part, {}, {}});
  }
  return *key;
}

}  // namespace

store::Key ReadLiveTree(const std::vector<std::string>& roots) {
  store::Key tree = store::EmptyRoot();
  for (const auto& root : roots) {
    const auto path = store::SplitPath(root);
    if (path.empty()) continue;
    OpenKey key(kNativeLocalMachine, root, registry::KEY_READ);
    if (!key) continue;
    store::Key& placed = Place(tree, path);
    placed.values.clear();
    placed.subkeys.clear();
    ReadSubtree(key.get(), placed);
  }
  return tree;
}

}  // namespace zorvanel::win32
