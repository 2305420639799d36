#include "detect/ManualVersionChoice.h"

#include "app/frmMainframe.h"
#include "detect/DetectionTexts.h"
#include "detect/SettingsTab.h"
#include "modes/RateGrid.h"

namespace zorvanel::detect {

namespace {

// The user names the driver generation; the warning cannot cancel the choice.
void ChooseDriverGeneration(app::frmMainframe& window, bool hexFormat, int rateCount) {
  window.platform().ui.MessageBox(texts::kVersionChoiceWarning, ui::Buttons::OK,
                                  ui::Icon::Critical, texts::kVersionChoiceWarningTitle);
  window.fields.HexFormat = hexFormat;
  modes::FillRateLists(window, rateCount);
  RestoreSettingsTab(window.form());
}

}  // namespace

// Detonator 28.32 or higher: decimal mode table, rates up to 120 Hz.
void obtVerError28_Click(app::frmMainframe& window) { ChooseDriverGeneration(window, false, 7); }

// Detonator 40.41 or higher: hexadecimal mode table, all rates.
void obtVerError40_Click(app::frmMainframe& window) { ChooseDriverGeneration(window, true, 13); }

}  // namespace zorvanel::detect
