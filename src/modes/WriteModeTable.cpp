#include "modes/WriteModeTable.h"

#include "app/frmMainframe.h"
#include "detect/DriverKeys.h"
#include "modes/ModeValues.h"
#include "modes/RestartOffer.h"
#include "modes/SettingsTexts.h"

namespace zorvanel::modes {

namespace {

using detect::keys::kCompressedModeSwitch;
using detect::keys::kServiceKey;
using registry::HKEY_LOCAL_MACHINE;

std::string FinalConfirmation(const std::string& table, const std::string& targetKey) {
  std::string text;
  text += texts::kFinalTableCaption;
  text += "\r\n\"" + table + "\"\r\n\r\n";
  text += texts::kFinalKeyCaption;
  text += "\r\n";
  text += texts::kFinalKeyRoot;
  text += targetKey + "\r\n\r\n";
  text += texts::kFinalQuestion;
  return text;
}

}  // namespace

void ReplaceModeValues(registry::mdlRegistry& registry, const std::string& key,
                       const std::string& table) {
  ForEachValueName(registry, key, [&](const std::string& name) {
    if (IsModeValueName(name)) registry.SetStringValue(HKEY_LOCAL_MACHINE, key, name, table);
  });
}

void WriteModeTable(app::frmMainframe& window, const Selection& selection) {
  const detect::DetectionFields& fields = window.fields;
  ui::Toolkit& ui = window.platform().ui;
  const std::string table = fields.HexFormat ? BuildHexModeTable(selection, fields.UsesPrefix)
                                             : BuildDecimalModeTable(selection);

  // No to this question still writes the table; only the switch stays off.
  const bool turnOn = !fields.UsesCompressedFormat &&
                      texts::Show(ui, texts::kTurnOnCompressedFormat) == ui::Answer::Yes;

  const std::string& target = fields.AltDriverKey.empty() ? fields.DriverKey : fields.AltDriverKey;
  if (ui.MessageBox(FinalConfirmation(table, target), ui::Buttons::YesNo, ui::Icon::Information,
                    texts::kFinalTitle) != ui::Answer::Yes) {
    return;
  }

  registry::mdlRegistry& registry = window.registry();
  if (!fields.AltDriverKey.empty()) {
    ReplaceModeValues(registry, fields.AltDriverKey, table);
    if (turnOn) registry.SetDwordValue(HKEY_LOCAL_MACHINE, fields.AltDriverKey,
                                       kCompressedModeSwitch, 1);
  }
  // Device keys are numbered from 0; the first missing number ends them.
  // The switch goes to the target key, not the device key, once per device.
  for (int n = 0; registry.KeyExists(HKEY_LOCAL_MACHINE, DeviceKey(kServiceKey, n)); ++n) {
    ReplaceModeValues(registry, DeviceKey(fields.DriverKey, n), table);
    if (turnOn) registry.SetDwordValue(HKEY_LOCAL_MACHINE, target, kCompressedModeSwitch, 1);
  }

  OfferRestart(window, texts::kWriteCompletion);
}

}  // namespace zorvanel::modes
