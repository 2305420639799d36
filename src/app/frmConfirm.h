#pragma once
// The confirm window's logic: started by the logon entry after a write, it
// keeps the new rates when the user says so and undoes them otherwise, also
// when nobody answers before the countdown ends.

#include "app/Services.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/ui/Form.h"

namespace zorvanel::app {

class frmConfirm : public ui::WindowLogic {
 public:
  explicit frmConfirm(Services& services);

  // Ends the program at once when no write waits, or when the driver's
  // values no longer hold it (the state is then cleared). A write still
  // waiting gets its logon entry back, which Windows deleted before
  // starting the program: a reset during the countdown must not lose it.
  void Form_Load() override;
  void OnEvent(const ui::Event& event) override;

 private:
  void cmdKeep_Click();
  void cmdUndo_Click();
  void tmrCountdown_Timer();
  // Undoes the write; the restart follows with the question or, when the
  // user cannot see the screen, without it. A failed undo ends the program
  // without a restart, keeping the state for the next logon.
  void Undo(bool askRestart);

  Services& services_;
  registry::mdlRegistry registry_;
  ui::Form form_;
  int secondsLeft_ = 0;
};

}  // namespace zorvanel::app
