#pragma once
// The program's windows, as a toolkit asks for them: layout and logic.

#include "app/Services.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::app {

class frmMainframe;

class ProgramWindows : public ui::WindowFactory {
 public:
  explicit ProgramWindows(Services& services) : services_(services) {}

  const ui::WindowLayout& Layout(std::string_view window) const override;
  std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view window) override;

 private:
  Services& services_;
  // The main window's logic, which the windows it opens report back to. It
  // outlives them: they are modal over it.
  frmMainframe* mainframe_ = nullptr;
};

}  // namespace zorvanel::app
