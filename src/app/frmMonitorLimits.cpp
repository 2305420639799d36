#include "app/frmMonitorLimits.h"

#include <variant>

#include "app/WindowNames.h"
#include "app/frmMainframe.h"
#include "detect/DetectMonitors.h"
#include "modes/MonitorEntered.h"
#include "modes/MonitorTexts.h"

namespace zorvanel::app {

frmMonitorLimits::frmMonitorLimits(Services& services, frmMainframe* mainframe)
    : services_(services), mainframe_(mainframe), registry_(services.registry, services.ui),
      form_(services.ui, kMonitorLimits) {}

// The fields start with what was typed in before, if it can be read.
void frmMonitorLimits::Form_Load() {
  const auto stored = modes::ReadStoredLimits(registry_);
  if (!stored.limits) return;
  const modes::TypedLimits fields = modes::FieldsOf(*stored.limits);
  form_.SetText("txtHorizontal", fields.horizontal);
  form_.SetText("txtVertical", fields.vertical);
  form_.SetText("txtPixelClock", fields.pixelClock);
}

void frmMonitorLimits::OnEvent(const ui::Event& event) {
  if (event.kind != ui::EventKind::Click) return;
  if (event.control == "cmdOK") cmdOK_Click();
  if (event.control == "cmdCancel") services_.ui.Close(kMonitorLimits);
  if (event.control == "cmdUseDetected") cmdUseDetected_Click();
}

void frmMonitorLimits::cmdOK_Click() {
  const auto checked = modes::CheckTyped(
      {form_.Text("txtHorizontal"), form_.Text("txtVertical"), form_.Text("txtPixelClock")});
  if (const auto* wrong = std::get_if<std::string>(&checked)) {
    services_.ui.MessageBox(*wrong, ui::Buttons::OK, ui::Icon::Exclamation,
                            modes::texts::kLimitsWindowCaption);
    return;
  }
  modes::StoreLimits(registry_, std::get<detect::RangeLimits>(checked));
  Done();
}

void frmMonitorLimits::cmdUseDetected_Click() {
  modes::ForgetLimits(registry_);
  Done();
}

void frmMonitorLimits::Done() {
  services_.ui.Close(kMonitorLimits);
  if (mainframe_) detect::DetectMonitors(*mainframe_);
}

void cmdMonitorLimits_Click(frmMainframe& window) {
  window.platform().ui.ShowModal(kMonitorLimits, kMainframe);
}

}  // namespace zorvanel::app
