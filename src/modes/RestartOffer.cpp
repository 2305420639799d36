#include "modes/RestartOffer.h"

#include <string>

#include "app/ProgramEnd.h"
#include "platform/services/mdlShutdown.h"

namespace zorvanel::modes {

namespace {

// The same box, its closing question made for a Windows that is not running.
ui::Answer AskOffline(ui::Toolkit& ui, const texts::Box& question) {
  std::string text(question.text.substr(0, question.text.size() - texts::kRebootQuestion.size()));
  text += texts::kOfflineQuestion;
  return ui.MessageBox(text, question.buttons, question.icon, question.title);
}

}  // namespace

void OfferRestart(app::Services& services, const texts::Box& question) {
  if (!services.restart.ReachesTarget()) {
    if (AskOffline(services.ui, question) == ui::Answer::Yes) app::EndProgram(services.ui);
    return;
  }
  if (texts::Show(services.ui, question) != ui::Answer::Yes) return;
  RestartNow(services);
}

void RestartNow(app::Services& services) {
  if (services.restart.ReachesTarget()) {
    platform::mdlShutdown(services.restart, services.ui).RestartSystem();
  }
  app::EndProgram(services.ui);
}

}  // namespace zorvanel::modes
