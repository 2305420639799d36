#include "modes/PendingCheck.h"

#include "app/ProductKey.h"
#include "modes/LastChoice.h"
#include "modes/ModeValues.h"
#include "modes/RestartOffer.h"
#include "modes/SafetyCopy.h"

namespace zorvanel::modes {

namespace {

using registry::HKEY_LOCAL_MACHINE;
using registry::mdlRegistry;

void RegisterLogonEntry(mdlRegistry& registry, const std::string& programPath) {
  registry.CreateKey(HKEY_LOCAL_MACHINE, kRunOnceKey);
  registry.SetStringValue(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceValue,
                          '"' + programPath + '"' + kConfirmSwitch);
}

// Whether any mode value of the saved driver keys still holds the table: a
// partly undone write still waits, one the user restored by hand does not.
bool DriverHolds(mdlRegistry& registry, const std::string& table) {
  bool holds = false;
  for (const std::string& key : LastGoodKeys(registry)) {
    if (holds || key.empty() || !registry.KeyExists(HKEY_LOCAL_MACHINE, key)) continue;
    ForEachValueName(registry, key, [&](const std::string& name) {
      if (!holds && IsModeValueName(name)) {
        holds = registry.GetStringValue(HKEY_LOCAL_MACHINE, key, name) == table;
      }
    });
  }
  return holds;
}

}  // namespace

void ArmCheck(mdlRegistry& registry, const std::string& programPath, const std::string& table) {
  if (programPath.empty()) return;
  registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kPendingConfirmValue, table);
  RegisterLogonEntry(registry, programPath);
}

// On disk at once: the reset it guards against may come any second.
void RenewLogonEntry(mdlRegistry& registry, const std::string& programPath) {
  if (programPath.empty()) return;
  RegisterLogonEntry(registry, programPath);
  registry.FlushKey(HKEY_LOCAL_MACHINE);
}

bool CheckArmed(mdlRegistry& registry) {
  return registry.KeyExists(HKEY_LOCAL_MACHINE, app::kProductKey) &&
         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kProductKey, app::kPendingConfirmValue);
}

// Forgetting a write throws its last good values away, so only a check that
// read everything it needed may call it stale: a failed read, or a pending
// table without the copy to undo it, leaves the decision to the user.
PendingWrite FindPendingWrite(mdlRegistry& registry) {
  if (!CheckArmed(registry)) return PendingWrite::None;
  const int failuresBefore = registry.ReportedFailures();
  const std::string table =
      registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kPendingConfirmValue);
  const bool holds = DriverHolds(registry, table);
  const bool stale = !holds && registry.ReportedFailures() == failuresBefore &&
                     !LastGoodKeys(registry).empty();
  return stale ? PendingWrite::Stale : PendingWrite::Waiting;
}

void Disarm(mdlRegistry& registry) {
  if (CheckArmed(registry)) {
    registry.DeleteValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kPendingConfirmValue);
  }
  DeleteLastGood(registry);
  if (registry.KeyExists(HKEY_LOCAL_MACHINE, kRunOnceKey) &&
      registry.ValueExists(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceValue)) {
    registry.DeleteValue(HKEY_LOCAL_MACHINE, kRunOnceKey, kRunOnceValue);
  }
}

bool UndoPendingWrite(mdlRegistry& registry, const std::string& programPath) {
  if (!WriteBackLastGood(registry)) {
    RenewLogonEntry(registry, programPath);
    return false;
  }
  Disarm(registry);
  ForgetLastChoice(registry);
  registry.FlushKey(HKEY_LOCAL_MACHINE);  // before a restart is offered or made
  return true;
}

bool UndoAndOfferRestart(app::Services& services, mdlRegistry& registry) {
  if (!UndoPendingWrite(registry, services.system.ProgramPath())) return false;
  OfferRestart(services, texts::kRestoreCompletion);
  return true;
}

void OfferRescue(app::Services& services, mdlRegistry& registry) {
  switch (FindPendingWrite(registry)) {
    case PendingWrite::None: return;
    case PendingWrite::Stale: Disarm(registry); return;
    case PendingWrite::Waiting: break;
  }
  RenewLogonEntry(registry, services.system.ProgramPath());
  if (texts::Show(services.ui, texts::kUnconfirmedRates) == ui::Answer::Yes) {
    UndoAndOfferRestart(services, registry);
  }
}

}  // namespace zorvanel::modes
