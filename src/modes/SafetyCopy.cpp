#include "modes/SafetyCopy.h"

#include "app/ProductKey.h"
#include "detect/DriverKeys.h"
#include "modes/ModeValues.h"

namespace zorvanel::modes {

namespace {

using detect::keys::kCompressedModeSwitch;
using registry::HKEY_LOCAL_MACHINE;
using registry::mdlRegistry;

std::string Slot(int number) { return std::to_string(number); }
std::string SlotKey(int number) { return std::string(app::kLastGoodKey) + "\\" + Slot(number); }

bool HasCopy(mdlRegistry& registry) { return registry.KeyExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey); }

// A slot is there when its subkey or its value is: one without the other is
// a broken slot, which the undo must report rather than pass over.
bool SlotPresent(mdlRegistry& registry, int number) {
  return registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(number)) ||
         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number));
}

// Whether slot n names this driver key and holds all its mode values. The
// keys are tested silently first.
bool SlotComplete(mdlRegistry& registry, int number, const std::string& key) {
  return registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(number)) &&
         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number)) &&
         registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number)) == key &&
         ModeValuesCopiedExactly(registry, key, SlotKey(number));
}

bool HasSwitchState(mdlRegistry& registry) {
  return registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kSwitchKeyValue);
}

void SaveSwitchState(mdlRegistry& registry, const std::string& switchKey) {
  registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kSwitchKeyValue, switchKey);
  if (registry.ValueExists(HKEY_LOCAL_MACHINE, switchKey, kCompressedModeSwitch)) {
    CopyValueExactly(registry, switchKey, app::kLastGoodKey, kCompressedModeSwitch);
  }
}

bool SwitchStateSaved(mdlRegistry& registry, const std::string& switchKey) {
  if (!HasSwitchState(registry) ||
      registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kSwitchKeyValue) != switchKey) {
    return false;
  }
  if (registry.ValueExists(HKEY_LOCAL_MACHINE, switchKey, kCompressedModeSwitch)) {
    return ValueCopiedExactly(registry, switchKey, app::kLastGoodKey, kCompressedModeSwitch);
  }
  return !registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kCompressedModeSwitch);
}

// A value the copy never writes comes from the walk as "ERROR_NON_REG_SZ", a
// name it does not have: reading it fails and is reported as every failed
// call is, so the undo does not count as complete.
void WriteBackSlot(mdlRegistry& registry, int number, const std::string& key) {
  ForEachValueName(registry, SlotKey(number), [&](const std::string& name) {
    CopyValueExactly(registry, SlotKey(number), key, name);
  });
}

// The switch as it was: its old value, or none. False when the copy does
// not say which key it belongs to.
bool WriteBackSwitch(mdlRegistry& registry) {
  if (!HasSwitchState(registry)) return true;
  const std::string key = registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kSwitchKeyValue);
  if (key.empty()) return false;
  if (registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, kCompressedModeSwitch)) {
    CopyValueExactly(registry, app::kLastGoodKey, key, kCompressedModeSwitch);
  } else if (registry.ValueExists(HKEY_LOCAL_MACHINE, key, kCompressedModeSwitch)) {
    registry.DeleteValue(HKEY_LOCAL_MACHINE, key, kCompressedModeSwitch);
  }
  return true;
}

}  // namespace

bool SaveLastGood(mdlRegistry& registry, const std::vector<std::string>& keys,
                  const std::string& switchKey) {
  DeleteLastGood(registry);
  registry.CreateKey(HKEY_LOCAL_MACHINE, app::kLastGoodKey);
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(n), keys[n]);
    registry.CreateKey(HKEY_LOCAL_MACHINE, SlotKey(n));
    CopyModeValuesExactly(registry, keys[n], SlotKey(n));
  }
  if (!switchKey.empty()) SaveSwitchState(registry, switchKey);
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    if (!SlotComplete(registry, n, keys[n])) return false;
  }
  return switchKey.empty() || SwitchStateSaved(registry, switchKey);
}

void KeepSwitchState(mdlRegistry& registry, const std::string& switchKey) {
  if (!switchKey.empty() && HasCopy(registry) && !HasSwitchState(registry)) {
    SaveSwitchState(registry, switchKey);
  }
}

std::vector<std::string> LastGoodKeys(mdlRegistry& registry) {
  std::vector<std::string> keys;
  if (!HasCopy(registry)) return keys;
  for (int n = 0; SlotPresent(registry, n); ++n) {
    keys.push_back(registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(n)));
  }
  return keys;
}

// A slot whose driver key cannot be read is a failure, never a write to
// the root of the registry.
bool WriteBackLastGood(mdlRegistry& registry) {
  const int failuresBefore = registry.ReportedFailures();
  const std::vector<std::string> keys = LastGoodKeys(registry);
  bool whole = true;
  for (int n = 0; n < static_cast<int>(keys.size()); ++n) {
    if (keys[n].empty()) {
      whole = false;
      continue;
    }
    WriteBackSlot(registry, n, keys[n]);
  }
  if (HasCopy(registry)) whole = WriteBackSwitch(registry) && whole;
  return whole && registry.ReportedFailures() == failuresBefore;
}

void DeleteLastGood(mdlRegistry& registry) {
  if (!HasCopy(registry)) return;
  for (int n = 0; SlotPresent(registry, n); ++n) {
    if (registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(n))) {
      registry.DeleteKey(HKEY_LOCAL_MACHINE, SlotKey(n));
    }
  }
  registry.DeleteKey(HKEY_LOCAL_MACHINE, app::kLastGoodKey);
}

}  // namespace zorvanel::modes
