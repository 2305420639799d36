#include "modes/WriteModeTable.h"

#include "app/frmMainframe.h"
#include "detect/DriverKeys.h"
#include "modes/LastChoice.h"
#include "modes/ModeValues.h"
#include "modes/PendingCheck.h"
#include "modes/RestartOffer.h"
#include "modes/SafetyCopy.h"
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

// The keys the writer changes, in its order: the video key, then the device
// keys, numbered from 0 until the first missing number.
std::vector<std::string> KeysToWrite(registry::mdlRegistry& registry,
                                     const detect::DetectionFields& fields) {
  std::vector<std::string> keys;
  if (!fields.AltDriverKey.empty()) keys.push_back(fields.AltDriverKey);
  for (int n = 0; registry.KeyExists(HKEY_LOCAL_MACHINE, DeviceKey(kServiceKey, n)); ++n) {
    keys.push_back(DeviceKey(fields.DriverKey, n));
  }
  return keys;
}

enum class Undo { Ready, Without, Refused };

// A write that is not yet confirmed keeps the values from before it: the
// undo goes back to the last state the user saw working. Otherwise the
// values are copied now. A copy that is not complete is no base for an
// undo: it is removed, and the user decides whether to write without one.
// switchKey names the key whose format switch the write turns on, if any.
Undo PrepareUndo(registry::mdlRegistry& registry, ui::MessageBoxes& boxes,
                 const std::vector<std::string>& keys, const std::string& switchKey) {
  if (CheckArmed(registry) && !LastGoodKeys(registry).empty()) {
    KeepSwitchState(registry, switchKey);
    return Undo::Ready;
  }
  // The copy is on disk before the first mode value changes.
  if (keys.empty() ||
      (SaveLastGood(registry, keys, switchKey) && registry.FlushKey(HKEY_LOCAL_MACHINE))) {
    return Undo::Ready;
  }
  DeleteLastGood(registry);
  return texts::Show(boxes, texts::kSafetyCopyFailed) == ui::Answer::Yes ? Undo::Without
                                                                          : Undo::Refused;
}

}  // namespace

int ReplaceModeValues(registry::mdlRegistry& registry, const std::string& key,
                      const std::string& table) {
  int replaced = 0;
  ForEachValueName(registry, key, [&](const std::string& name) {
    if (!IsModeValueName(name)) return;
    registry.SetStringValue(HKEY_LOCAL_MACHINE, key, name, table);
    ++replaced;
  });
  return replaced;
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
  const std::vector<std::string> keys = KeysToWrite(registry, fields);
  const Undo undo = PrepareUndo(registry, ui, keys, turnOn && !keys.empty() ? target : "");
  if (undo == Undo::Refused) return;

  const int failuresBefore = registry.ReportedFailures();
  int replaced = 0;
  for (const std::string& key : keys) {
    replaced += ReplaceModeValues(registry, key, table);
    // The switch goes to the target key, once per key written.
    if (turnOn) registry.SetDwordValue(HKEY_LOCAL_MACHINE, target, kCompressedModeSwitch, 1);
  }
  // A write that changed no mode value has nothing to check or to remember.
  if (replaced > 0) {
    if (undo == Undo::Ready) ArmCheck(registry, window.platform().system.ProgramPath(), table);
    if (registry.ReportedFailures() == failuresBefore) StoreLastChoice(registry, selection);
  }
  registry.FlushKey(HKEY_LOCAL_MACHINE);
  OfferRestart(window.platform(), texts::kWriteCompletion);
}

}  // namespace zorvanel::modes
