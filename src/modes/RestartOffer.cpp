#include "modes/RestartOffer.h"

#include "app/ProgramEnd.h"
#include "app/frmMainframe.h"
#include "platform/services/mdlShutdown.h"

namespace zorvanel::modes {

void OfferRestart(app::frmMainframe& window, const texts::Box& question) {
  ui::Toolkit& ui = window.platform().ui;
  if (texts::Show(ui, question) != ui::Answer::Yes) return;
  platform::mdlShutdown(window.platform().restart, ui).RestartSystem();
  app::EndProgram(ui);
}

}  // namespace zorvanel::modes
