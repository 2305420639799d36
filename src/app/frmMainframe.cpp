#include "app/frmMainframe.h"

#include <array>
#include <string>
#include <utility>

#include "app/Messages.h"
#include "app/ProductKey.h"
#include "app/ProgramEnd.h"
#include "app/AboutBox.h"
#include "app/frmMonitorLimits.h"
#include "app/TypedCodes.h"
#include "detect/DetectMonitors.h"
#include "detect/DetectSystem.h"
#include "detect/ManualVersionChoice.h"
#include "modes/Apply.h"
#include "modes/BackupRestore.h"
#include "modes/MonitorChoices.h"
#include "modes/RateGrid.h"
#include "app/WindowNames.h"
#include "modes/ModeLists.h"
#include "modes/PendingCheck.h"

namespace zorvanel::app {

using registry::HKEY_LOCAL_MACHINE;

namespace {

// Asks whether to replace the settings of another program version; false
// when the user declines and the program must end.
bool ReplaceOldSettings(frmMainframe& window) {
  ui::Toolkit& ui = window.platform().ui;
  const std::string question = std::string(messages::kVersionConflictBefore) + '"' +
                               ui.Caption(kMainframe) + '"' + messages::kVersionConflictAfter;
  if (ui.MessageBox(question, ui::Buttons::YesNo, ui::Icon::Question,
                    messages::kVersionConflictTitle) != ui::Answer::Yes) {
    return false;
  }
  auto& registry = window.registry();
  if (registry.KeyExists(HKEY_LOCAL_MACHINE, kBackupKey)) {
    registry.DeleteKey(HKEY_LOCAL_MACHINE, kBackupKey);
  }
  registry.DeleteKey(HKEY_LOCAL_MACHINE, kProductKey);
  // A product key that could not be deleted keeps its old values: claiming
  // they were deleted would be false.
  const bool deleted = !registry.KeyExists(HKEY_LOCAL_MACHINE, kProductKey);
  CreateProductKey(registry);
  if (deleted) {
    ui.MessageBox(messages::kSettingsDeleted, ui::Buttons::OK, ui::Icon::Information,
                  messages::kSettingsDeletedTitle);
  }
  return true;
}

}  // namespace

frmMainframe::frmMainframe(Services& services)
    : services_(services), registry_(services.registry, services.ui),
      form_(services.ui, kMainframe), music_(services.music, services.ui) {}

void frmMainframe::Form_Load() {
  codes = TypedCodeState{};
  services_.ui.SetCurrentDirectory(services_.ui.ProgramFolder());

  if (registry_.KeyExists(HKEY_LOCAL_MACHINE, kProductKey)) {
    const std::string stored = registry_.GetStringValue(HKEY_LOCAL_MACHINE, kProductKey,
                                                        kVersionValue);
    if (stored != kProgramVersion && !ReplaceOldSettings(*this)) {
      services_.ui.EndProgram();
      return;
    }
  } else {
    CreateProductKey(registry_);
  }

  for (const auto& resolution : modes::kResolutions) form_.ShowItem(resolution.box, modes::kNoRate);
  detect::DetectMonitors(*this);
  detect::DetectSystem(*this);
  if (!fields.DriverKey.empty()) modes::OfferRescue(services_, registry_);
  registry_.FlushKey(HKEY_LOCAL_MACHINE);
}

void frmMainframe::OnEvent(const ui::Event& event) {
  static constexpr std::pair<std::string_view, Handler> kClickHandlers[] = {
      {"tbsMain", tbsMain_Click},
      {"cmdSwitchInfo", cmdSwitchInfo_Click},
      {"mnuExit", mnuExit_Click},
      {"mnuAbout", mnuAbout_Click},
      {"obtVerError28", detect::obtVerError28_Click},
      {"obtVerError40", detect::obtVerError40_Click},
      {"cmdDeselect", modes::cmdDeselect_Click},
      {"cmdApply", modes::cmdApply_Click},
      {"cmdBestRates", modes::cmdBestRates_Click},
      {"cmdMonitorLimits", cmdMonitorLimits_Click},
      {"cmdBackup", modes::cmdBackup_Click},
      {"cmdRestore", modes::cmdRestore_Click},
  };
  switch (event.kind) {
    case ui::EventKind::Click:
      for (const auto& [control, handler] : kClickHandlers) {
        if (control == event.control) handler(*this);
      }
      break;
    case ui::EventKind::KeyPress:
      if (event.control == "tbsMain") tbsMain_KeyPress(*this, event.key);
      break;
    case ui::EventKind::Timer:
      if (event.control == "tmrWarning") tmrWarning_Timer(*this);
      break;
  }
  registry_.FlushKey(HKEY_LOCAL_MACHINE);  // what a handler changed, on disk before the next
}

void tbsMain_Click(frmMainframe& window) {
  static constexpr std::array<const char*, 3> kPages = {"fmeIntro", "fmeSysInfo", "fmeSettings"};
  const int selected = window.form().SelectedTab("tbsMain");
  for (int index = 1; index <= 3; ++index) {
    window.form().SetVisible(kPages[index - 1], index == selected);
  }
}

// The button's caption is the only record of which view is shown.
void cmdSwitchInfo_Click(frmMainframe& window) {
  ui::Form& form = window.form();
  form.SetText("cmdSwitchInfo", form.Text("cmdSwitchInfo") == "Advanced" ? "Newbie" : "Advanced");
  form.SetVisible("fmeDrvInfo", !form.Visible("fmeDrvInfo"));
  form.SetVisible("fmeRegInfo", !form.Visible("fmeRegInfo"));
}

// The warning shows for 500 ms and hides for 150 ms.
void tmrWarning_Timer(frmMainframe& window) {
  ui::Form& form = window.form();
  form.SetVisible("lblWarning", !form.Visible("lblWarning"));
  form.SetInterval("tmrWarning", form.Interval("tmrWarning") == 500 ? 150 : 500);
}

void mnuExit_Click(frmMainframe& window) { EndProgram(window.platform().ui); }

}  // namespace zorvanel::app
