#include "replay/LiveDumpScope.h"

#include "app/ProductKey.h"
#include "modes/PendingCheck.h"

namespace zorvanel::replay {

namespace {

void AddHeldKeys(const store::Key& key, const std::string& path,
                 std::vector<std::string>& roots) {
  if (!key.values.empty() || key.subkeys.empty()) {
    roots.push_back(path);
    return;
  }
  for (const auto& subkey : key.subkeys) AddHeldKeys(subkey, path + "\\" + subkey.name, roots);
}

// The product key's parent: it is created with the product key and is
// otherwise empty, so its presence tells whether the product key was ever made.
std::string VendorKey() {
  const std::string product = app::kProductKey;
  return product.substr(0, product.rfind('\\'));
}

}  // namespace

std::vector<std::string> LiveDumpRoots(const store::Key& storeFile) {
  std::vector<std::string> roots{VendorKey(), modes::kRunOnceKey};
  std::vector<std::string> held;
  for (const auto& key : storeFile.subkeys) AddHeldKeys(key, key.name, held);
  for (auto& path : held) {
    if (path != modes::kRunOnceKey) roots.push_back(std::move(path));
  }
  return roots;
}

}  // namespace zorvanel::replay
