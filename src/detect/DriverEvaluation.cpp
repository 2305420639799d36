#include "detect/DriverEvaluation.h"

#include <string>

#include "app/ProductKey.h"
#include "app/frmMainframe.h"
#include "detect/DetectionFindings.h"
#include "detect/DetectionTexts.h"
#include "detect/SettingsTab.h"
#include "detect/VersionNumber.h"
#include "modes/LastChoice.h"
#include "modes/ModeLists.h"
#include "modes/PendingCheck.h"
#include "modes/RateGrid.h"

namespace zorvanel::detect {

namespace {

using registry::HKEY_LOCAL_MACHINE;

// Below 40.00 the driver offers rates up to 120 Hz only.
constexpr int kOldDriverRateCount = 7;

bool SettingsWithheld(const DetectionFindings& found) {
  return found.NotNtPlatform || found.DriverMissing || found.DriverTooNew ||
         found.FormatUnsupported || found.VersionUnknown;
}

// The format questions do not apply to a driver with its own rate override.
void MarkFormatNotApplicable(ui::Form& form) {
  for (const char* label : {"lblFormatCapability", "lblFormatUsage", "lblFormatHexadecimal"}) {
    form.SetTextColor(label, ui::kBlack);
    form.SetText(label, texts::kNotApplicable);
  }
  form.SetText("lblFormatPrefix", texts::kNotApplicable);
}

// The first critical finding decides the summary; true when one did, and
// detection then ends.
bool ShowCriticalVerdict(ui::Form& form, const DetectionFindings& found) {
  const char* summary = nullptr;
  if (found.NotNtPlatform) {
    summary = texts::kNotNtPlatform;
  } else if (found.DriverMissing) {
    summary = texts::kDriverMissing;
  } else if (found.FormatUnsupported) {
    summary = texts::kFormatUnsupported;
  } else if (found.DriverTooNew) {
    MarkFormatNotApplicable(form);
    summary = texts::kDriverTooNew;
  }
  if (summary == nullptr) return false;
  form.SetText("lblSummary", summary);
  return true;
}

// Backups belong to the driver version they were made under: when the
// driver changed since the last run they are discarded, and so are the last
// good values of a write waiting for its check. Nothing is discarded on the
// strength of a stored version that cannot be read; the current version is
// then simply recorded again. True when the driver changed.
bool DiscardBackupsOfOtherVersion(app::frmMainframe& window, std::int16_t versionNumber) {
  registry::mdlRegistry& registry = window.registry();
  if (!registry.ValueExists(HKEY_LOCAL_MACHINE, app::kProductKey, app::kDetonatorVersionValue)) {
    return false;
  }
  const auto stored = StoredVersionFrom(
      registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kDetonatorVersionValue));
  if (!stored || *stored == versionNumber) return false;
  registry.DeleteKey(HKEY_LOCAL_MACHINE, app::kBackupKey);
  registry.CreateKey(HKEY_LOCAL_MACHINE, app::kBackupKey);
  modes::Disarm(registry);
  window.platform().ui.MessageBox(texts::kBackupsDeleted, ui::Buttons::OK, ui::Icon::Information,
                                  texts::kBackupsDeletedTitle);
  return true;
}

void OfferBackups(app::frmMainframe& window, std::int16_t versionNumber) {
  registry::mdlRegistry& registry = window.registry();
  if (!registry.EnumValueName(HKEY_LOCAL_MACHINE, app::kBackupKey, 0).empty()) {
    window.form().SetEnabled("cmdRestore", true);
  }
  window.form().SetEnabled("cmdBackup", true);
  registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kDetonatorVersionValue,
                          std::to_string(versionNumber).substr(0, 4));
}

}  // namespace

void EvaluateFindings(app::frmMainframe& window, const DetectionFindings& found) {
  ui::Form& form = window.form();
  if (SettingsWithheld(found)) {
    RemoveSettingsTab(form);
    form.SetTextColor("lblSummary", ui::kRed);
  }
  if (ShowCriticalVerdict(form, found)) return;
  if (found.VersionUnknown) {
    form.SetText("lblSummary", texts::kVersionUnknown);
    form.SetVisible("obtVerError28", true);
    form.SetVisible("obtVerError40", true);
  }
  if (found.FormatInactive) form.SetText("lblSummary", texts::kFormatInactive);
  if (found.VersionNumber < 4000) modes::FillRateLists(window, kOldDriverRateCount);

  // Without a version there is nothing to compare: the stored version and
  // the backups it belongs to stay as they are.
  if (found.VersionNumber == 0) {
    window.platform().ui.MessageBox(texts::kInstallationDamaged, ui::Buttons::OK,
                                    ui::Icon::Exclamation, texts::kInstallationDamagedTitle);
    return;
  }
  const bool driverChanged = DiscardBackupsOfOtherVersion(window, found.VersionNumber);
  OfferBackups(window, found.VersionNumber);
  // A new driver starts from its own mode values: the user may choose the
  // last rates again.
  if (driverChanged) {
    modes::OfferLastChoice(window, found.VersionNumber < 4000
                                       ? kOldDriverRateCount
                                       : static_cast<int>(modes::kRateCount));
  }
}

}  // namespace zorvanel::detect
