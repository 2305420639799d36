#include "desktop/DesktopProgram.h"

namespace zorvanel::desktop {

// The windows ask the services for the toolkit, and the toolkit asks the
// windows for layouts; each only keeps a reference until the program runs.
DesktopProgram::DesktopProgram(store::Key content, store::SubstituteStore::Persist persist,
                               qt::QtToolkitOptions options, const ProgramFiles& files)
    : store_(std::move(content)),
      shell_("xdg-open", files.documentFolder),
      music_(files.musicModule),
      windows_(services_),
      toolkit_(windows_, std::move(options)),
      services_{toolkit_, store_, system_, restart_, shell_, music_} {
  if (persist) store_.PersistWith(std::move(persist));
}

}  // namespace zorvanel::desktop
