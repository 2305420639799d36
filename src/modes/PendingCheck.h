#pragma once
// The check after the restart: a write that waits for the user to see that
// the new rates work, the entry that starts the program's confirm mode at
// the next logon, and the undo.

#include <string>

#include "app/Services.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

inline constexpr const char* kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// The asterisk makes Windows run the entry in safe mode too.
inline constexpr const char* kRunOnceValue = "*Zorvanel";
inline constexpr const char* kConfirmSwitch = " /confirm";

// Records the written table and registers the confirm mode for the next
// logon. Without a Windows program to start, nothing is armed.
void ArmCheck(registry::mdlRegistry& registry, const std::string& programPath,
              const std::string& table);

// Registers the logon entry again for a write still waiting: Windows
// deletes the entry before it starts the program, so a reset while the
// question is open would otherwise leave the next logon without it.
void RenewLogonEntry(registry::mdlRegistry& registry, const std::string& programPath);

// Whether a write waits for its check. Tested silently.
bool CheckArmed(registry::mdlRegistry& registry);

enum class PendingWrite {
  None,     // nothing waits
  Stale,    // something waits, but the driver's values no longer hold it
  Waiting,  // the driver's values hold the written table, or that is not sure
};
PendingWrite FindPendingWrite(registry::mdlRegistry& registry);

// Forgets the waiting write: PendingConfirm, the last good values and the
// logon entry.
void Disarm(registry::mdlRegistry& registry);

// Writes the last good values back; on success forgets the write and the
// last choice, which these rates were. On a failure (already reported)
// everything stays, and the logon entry is registered again, so that the
// next logon tries again. True on success.
bool UndoPendingWrite(registry::mdlRegistry& registry, const std::string& programPath);

// Undo now, as the confirm window and the rescue at start do it: the undo,
// then on success the restart question. False when the undo failed.
bool UndoAndOfferRestart(app::Services& services, registry::mdlRegistry& registry);

// The rescue at start: a write whose check never ran (no picture after the
// restart, or a repair from another system) is offered for undoing, its
// logon entry registered again first. A write the driver's values no longer
// hold is forgotten silently.
void OfferRescue(app::Services& services, registry::mdlRegistry& registry);

}  // namespace zorvanel::modes
