#pragma once
// Everything the desktop program runs on: the registry it is given, the
// platform services, the Qt toolkit and the program's windows.

#include "app/ProgramWindows.h"
#include "desktop/DesktopServices.h"
#include "desktop/ProgramFiles.h"
#include "platform/linux/LogindRestart.h"
#include "platform/linux/ModuleMusic.h"
#include "platform/linux/XdgShell.h"
#include "platform/qt/QtToolkit.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::desktop {

class DesktopProgram {
 public:
  // Offline for a Windows that is not running: no restart. Notepad's
  // documents are looked for in the files' document folder when it is
  // given; the music engine is the files' music module.
  DesktopProgram(registry::RegistryApi& registry, bool offline, qt::QtToolkitOptions options,
                 const ProgramFiles& files = {});

  qt::QtToolkit& toolkit() { return toolkit_; }

 private:
  platform::RestartApi& Restart(bool offline);
  app::Services& Services();

  LinuxSystemInfo system_;
  platform::LogindRestart restart_;
  platform::OfflineRestart offlineRestart_;
  platform::XdgShell shell_;
  platform::ModuleMusic music_;
  app::ProgramWindows windows_;
  qt::QtToolkit toolkit_;
  app::Services services_;
};

}  // namespace zorvanel::desktop
