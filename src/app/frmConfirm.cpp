#include "app/frmConfirm.h"

#include "app/ConfirmLayout.h"
#include "app/ProgramEnd.h"
#include "app/WindowNames.h"
#include "modes/PendingCheck.h"
#include "modes/RestartOffer.h"

namespace zorvanel::app {

frmConfirm::frmConfirm(Services& services)
    : services_(services), registry_(services.registry, services.ui),
      form_(services.ui, kConfirm) {}

void frmConfirm::Form_Load() {
  switch (modes::FindPendingWrite(registry_)) {
    case modes::PendingWrite::None:
      EndProgram(services_.ui);
      return;
    case modes::PendingWrite::Stale:
      modes::Disarm(registry_);
      registry_.FlushKey(registry::HKEY_LOCAL_MACHINE);
      EndProgram(services_.ui);
      return;
    case modes::PendingWrite::Waiting: break;
  }
  modes::RenewLogonEntry(registry_, services_.system.ProgramPath());
  secondsLeft_ = kCountdownSeconds;
  form_.SetText("lblCountdown", CountdownText(secondsLeft_));
  // The user decides in safe mode: there is no countdown.
  if (services_.system.SafeMode()) {
    form_.SetText("lblMessage", kSafeModeText);
    form_.SetVisible("lblCountdown", false);
    form_.SetEnabled("tmrCountdown", false);
  }
}

void frmConfirm::OnEvent(const ui::Event& event) {
  if (event.kind == ui::EventKind::Click && event.control == "cmdKeep") cmdKeep_Click();
  if (event.kind == ui::EventKind::Click && event.control == "cmdUndo") cmdUndo_Click();
  if (event.kind == ui::EventKind::Timer && event.control == "tmrCountdown") tmrCountdown_Timer();
}

void frmConfirm::cmdKeep_Click() {
  form_.SetEnabled("tmrCountdown", false);
  modes::Disarm(registry_);
  registry_.FlushKey(registry::HKEY_LOCAL_MACHINE);
  EndProgram(services_.ui);
}

void frmConfirm::cmdUndo_Click() { Undo(true); }

void frmConfirm::tmrCountdown_Timer() {
  --secondsLeft_;
  form_.SetText("lblCountdown", CountdownText(secondsLeft_));
  if (secondsLeft_ <= 0) Undo(false);
}

void frmConfirm::Undo(bool askRestart) {
  // No tick may start a second undo while this one asks its questions.
  form_.SetEnabled("tmrCountdown", false);
  if (askRestart) {
    modes::UndoAndOfferRestart(services_, registry_);
  } else if (modes::UndoPendingWrite(registry_, services_.system.ProgramPath())) {
    modes::RestartNow(services_);
  }
  EndProgram(services_.ui);
}

}  // namespace zorvanel::app
