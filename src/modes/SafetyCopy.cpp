#include "modes/SafetyCopy.h"

#include "app/ProductKey.h"
#include "modes/ModeValues.h"

namespace zorvanel::modes {

namespace {

using registry::HKEY_LOCAL_MACHINE;
using registry::mdlRegistry;

std::string Slot(int number) { return std::to_string(number); }
std::string SlotKey(int number) { return std::string(app::kLastGoodKey) + "\\" + Slot(number); }

// Whether slot n names this driver key and holds all its mode values. The
// keys are tested silently first.
bool SlotComplete(mdlRegistry& registry, int number, const std::string& key) {
  return registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(number)) &&
         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number)) &&
         registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number)) == key &&
         ModeValuesCopied(registry, key, SlotKey(number));
}

}  // namespace

bool SaveLastGood(mdlRegistry& registry, const std::vector<std::string>& keys) {
  DeleteLastGood(registry);
  registry.CreateKey(HKEY_LOCAL_MACHINE, app::kLastGoodKey);
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(n), keys[n]);
    registry.CreateKey(HKEY_LOCAL_MACHINE, SlotKey(n));
    CopyTextModeValues(registry, keys[n], SlotKey(n));
  }
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    if (!SlotComplete(registry, n, keys[n])) return false;
  }
  return true;
}

std::vector<std::string> LastGoodKeys(mdlRegistry& registry) {
  std::vector<std::string> keys;
  for (int n = 0; registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(n)); ++n) {
    keys.push_back(registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(n)));
  }
  return keys;
}

// A slot whose driver key cannot be read is a failure, never a write to
// the root of the registry.
bool WriteBackLastGood(mdlRegistry& registry) {
  const int failuresBefore = registry.ReportedFailures();
  const std::vector<std::string> keys = LastGoodKeys(registry);
  bool named = true;
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    if (keys[n].empty()) {
      named = false;
      continue;
    }
    ForEachSavedValue(registry, SlotKey(n), [&](const std::string& name, const std::string& data) {
      registry.SetStringValue(HKEY_LOCAL_MACHINE, keys[n], name, data);
    });
  }
  return named && registry.ReportedFailures() == failuresBefore;
}

void DeleteLastGood(mdlRegistry& registry) {
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey)) return;
  for (int n = 0; registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(n)); ++n) {
    registry.DeleteKey(HKEY_LOCAL_MACHINE, SlotKey(n));
  }
  registry.DeleteKey(HKEY_LOCAL_MACHINE, app::kLastGoodKey);
}

}  // namespace zorvanel::modes
