#pragma once
// The main window's logic: its state for the whole run and its handlers.

#include "app/Services.h"
#include "app/TypedCodeState.h"
#include "app/mdlDMusic.h"
#include <optional>

#include "detect/DetectionFields.h"
#include "modes/MonitorLimits.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/ui/Form.h"

namespace zorvanel::app {

class frmMainframe : public ui::WindowLogic {
 public:
  explicit frmMainframe(Services& services);

  // The start-up sequence, run once before the window is first shown.
  void Form_Load() override;
  void OnEvent(const ui::Event& event) override;

  Services& platform() { return services_; }
  registry::mdlRegistry& registry() { return registry_; }
  ui::Form& form() { return form_; }
  mdlDMusic& music() { return music_; }

  detect::DetectionFields fields;
  TypedCodeState codes;
  // The limits lblMonitor shows: typed in, or what every counted monitor
  // takes; none when neither gives limits.
  std::optional<modes::KnownLimits> monitorLimits;

 private:
  Services& services_;
  registry::mdlRegistry registry_;
  ui::Form form_;
  mdlDMusic music_;
};

// Every handler of the main window takes the window it runs on.
using Handler = void (*)(frmMainframe&);

// The handlers of the window's own navigation.
void tbsMain_Click(frmMainframe& window);
void cmdSwitchInfo_Click(frmMainframe& window);
void tmrWarning_Timer(frmMainframe& window);
void mnuExit_Click(frmMainframe& window);

}  // namespace zorvanel::app
