#include "app/frmAboutBox.h"

#include "app/MainframeLayout.h"
#include "app/Maker.h"

namespace zorvanel::app {

std::string WebLink() { return std::string("http://") + kMakerHost; }

// The subject goes out as it reads, spaces and all.
std::string MailLink() {
  return std::string("mailto:") + kMakerContact + "?subject=Bug report: " + kMainframeCaption;
}

void frmAboutBox::OnEvent(const ui::Event& event) {
  if (event.kind != ui::EventKind::Click) return;
  if (event.control == "LbLink") Open(WebLink());
  if (event.control == "LbMail") Open(MailLink());
}

void frmAboutBox::Open(const std::string& link) {
  services_.shell.ShellExecute(services_.ui.NativeHandle(kAboutBox), "open", link, "", "",
                               platform::kShowNormal);
}

}  // namespace zorvanel::app
