#include "app/ProductKey.h"

namespace zorvanel::app {

void CreateProductKey(registry::mdlRegistry& registry) {
  registry.CreateKey(registry::HKEY_LOCAL_MACHINE, kProductKey);
  registry.CreateKey(registry::HKEY_LOCAL_MACHINE, kBackupKey);
  registry.SetStringValue(registry::HKEY_LOCAL_MACHINE, kProductKey, kVersionValue,
                          kProgramVersion);
}

}  // namespace zorvanel::app
