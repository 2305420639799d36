#pragma once
// The monitor-limits window's logic: it shows the limits the user typed in
// before, stores new ones once they are checked, or forgets them, and then
// has the main window show the limits in force.

#include "app/Services.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/ui/Form.h"

namespace zorvanel::app {

class frmMainframe;

class frmMonitorLimits : public ui::WindowLogic {
 public:
  // The main window is the one whose label follows the change; none in a
  // window opened on its own.
  frmMonitorLimits(Services& services, frmMainframe* mainframe);

  void Form_Load() override;
  void OnEvent(const ui::Event& event) override;

 private:
  // A wrong field gets a box that names it, and nothing is stored.
  void cmdOK_Click();
  void cmdUseDetected_Click();
  void Done();

  Services& services_;
  frmMainframe* mainframe_;
  registry::mdlRegistry registry_;
  ui::Form form_;
};

// Opens the window modally over the main window.
void cmdMonitorLimits_Click(frmMainframe& window);

}  // namespace zorvanel::app
