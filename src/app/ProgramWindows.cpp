#include "app/ProgramWindows.h"

#include <stdexcept>
#include <string>

#include "app/AboutBoxLayout.h"
#include "app/ConfirmLayout.h"
#include "app/MainframeLayout.h"
#include "app/MonitorLimitsLayout.h"
#include "app/frmAboutBox.h"
#include "app/frmConfirm.h"
#include "app/frmMainframe.h"
#include "app/frmMonitorLimits.h"

namespace zorvanel::app {

const ui::WindowLayout& ProgramWindows::Layout(std::string_view window) const {
  if (window == kMainframe) return MainframeLayout();
  if (window == kAboutBox) return AboutBoxLayout();
  if (window == kConfirm) return ConfirmLayout();
  if (window == kMonitorLimits) return MonitorLimitsLayout();
  throw std::invalid_argument("no window named " + std::string(window));
}

std::unique_ptr<ui::WindowLogic> ProgramWindows::CreateLogic(std::string_view window) {
  if (window == kMainframe) {
    auto logic = std::make_unique<frmMainframe>(services_);
    mainframe_ = logic.get();
    return logic;
  }
  if (window == kAboutBox) return std::make_unique<frmAboutBox>(services_);
  if (window == kConfirm) return std::make_unique<frmConfirm>(services_);
  if (window == kMonitorLimits) return std::make_unique<frmMonitorLimits>(services_, mainframe_);
  throw std::invalid_argument("no window named " + std::string(window));
}

}  // namespace zorvanel::app
