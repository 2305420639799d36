#include "modes/RestartOffer.h"

#include "app/ProgramEnd.h"
#include "platform/services/mdlShutdown.h"

namespace zorvanel::modes {

void OfferRestart(app::Services& services, const texts::Box& question) {
  if (texts::Show(services.ui, question) != ui::Answer::Yes) return;
  RestartNow(services);
}

void RestartNow(app::Services& services) {
  platform::mdlShutdown(services.restart, services.ui).RestartSystem();
  app::EndProgram(services.ui);
}

}  // namespace zorvanel::modes
