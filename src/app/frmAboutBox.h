#pragma once
// The About box's logic: two labels that work as links.

#include <string>

#include "app/Services.h"

namespace zorvanel::app {

// What the links open: the maker's site, and a new message to the maker.
std::string WebLink();
std::string MailLink();

class frmAboutBox : public ui::WindowLogic {
 public:
  explicit frmAboutBox(Services& services) : services_(services) {}

  void OnEvent(const ui::Event& event) override;

 private:
  // Hands the link to the shell; whether it could be opened is not looked at.
  void Open(const std::string& link);

  Services& services_;
};

}  // namespace zorvanel::app
