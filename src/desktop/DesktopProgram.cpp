#include "desktop/DesktopProgram.h"

namespace zorvanel::desktop {

// Only a reference is taken here; GCC takes a member named in the list for a
// use before it is made.
app::Services& DesktopProgram::Services() { return services_; }

platform::RestartApi& DesktopProgram::Restart(bool offline) {
  if (offline) return offlineRestart_;
  return restart_;
}

// The windows ask the services for the toolkit, and the toolkit asks the
// windows for layouts; each only keeps a reference until the program runs.
DesktopProgram::DesktopProgram(registry::RegistryApi& registry, bool offline,
                               qt::QtToolkitOptions options, const ProgramFiles& files)
    : shell_("xdg-open", files.documentFolder),
      music_(files.musicModule),
      windows_(Services()),
      toolkit_(windows_, std::move(options)),
      services_{toolkit_,
                registry,
                system_,
                Restart(offline),
                shell_,
                music_} {}

}  // namespace zorvanel::desktop
