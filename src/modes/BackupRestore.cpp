#include "modes/BackupRestore.h"

#include "app/ProductKey.h"
#include "app/frmMainframe.h"
#include "modes/LastChoice.h"
#include "modes/ModeValues.h"
#include "modes/RestartOffer.h"
#include "modes/SettingsTexts.h"

namespace zorvanel::modes {

namespace {

using registry::HKEY_LOCAL_MACHINE;
using registry::mdlRegistry;

// Reads the copy back: complete only when device key 0 has an NV_Modes and
// every value that was to be saved is in the backup key with the data the
// device key holds. The two keys are tested silently first, so a missing key
// costs no further error message than the copy already showed.
bool BackupComplete(mdlRegistry& registry, const std::string& source) {
  if (!registry.KeyExists(HKEY_LOCAL_MACHINE, source) ||
      !registry.KeyExists(HKEY_LOCAL_MACHINE, app::kBackupKey) ||
      !registry.ValueExists(HKEY_LOCAL_MACHINE, source, kNvModes)) {
    return false;
  }
  return ModeValuesCopied(registry, source, app::kBackupKey);
}

bool HoldsSavedTable(mdlRegistry& registry) {
  return registry.KeyExists(HKEY_LOCAL_MACHINE, app::kBackupKey) &&
         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kBackupKey, kNvModes);
}

}  // namespace

// A backup that could not be confirmed says so rather than claim success;
// restoring stays possible only while a saved NV_Modes is there to restore.
void cmdBackup_Click(app::frmMainframe& window) {
  ui::Toolkit& ui = window.platform().ui;
  if (texts::Show(ui, texts::kBackupQuestion) != ui::Answer::Yes) return;
  mdlRegistry& registry = window.registry();
  const std::string source = DeviceKey(window.fields.DriverKey, 0);
  // Values saved earlier under other names stay.
  CopyModeValues(registry, source, app::kBackupKey);
  // A copy that did not reach the disk is no backup, whatever memory held.
  const bool complete = registry.FlushKey(HKEY_LOCAL_MACHINE) && BackupComplete(registry, source);
  if (complete || HoldsSavedTable(registry)) window.form().SetEnabled("cmdRestore", true);
  texts::Show(ui, complete ? texts::kBackupComplete : texts::kBackupIncomplete);
}

// Every saved value goes into every device key up to the first missing
// number, and into the video key once per device key. A value of another
// type in the backup key was not saved by a backup: it is skipped, so that
// no value of that name is made in the driver's keys. The rates the user
// backs out of are forgotten, so that a driver update does not offer them.
void cmdRestore_Click(app::frmMainframe& window) {
  ui::Toolkit& ui = window.platform().ui;
  if (texts::Show(ui, texts::kRestoreQuestion) != ui::Answer::Yes) return;
  mdlRegistry& registry = window.registry();
  const detect::DetectionFields& fields = window.fields;
  for (int n = 0; registry.KeyExists(HKEY_LOCAL_MACHINE, DeviceKey(fields.DriverKey, n)); ++n) {
    const std::string device = DeviceKey(fields.DriverKey, n);
    ForEachSavedValue(registry, app::kBackupKey, [&](const std::string& name,
                                                     const std::string& data) {
      registry.SetStringValue(HKEY_LOCAL_MACHINE, device, name, data);
      if (!fields.AltDriverKey.empty()) {
        registry.SetStringValue(HKEY_LOCAL_MACHINE, fields.AltDriverKey, name, data);
      }
    });
  }
  ForgetLastChoice(registry);
  registry.FlushKey(HKEY_LOCAL_MACHINE);
  OfferRestart(window.platform(), texts::kRestoreCompletion);
}

}  // namespace zorvanel::modes
