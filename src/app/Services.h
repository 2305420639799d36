#pragma once
// The platform as the window logic sees it: one seam for each thing it needs.

#include "platform/registry/RegistryApi.h"
#include "platform/services/Music.h"
#include "platform/services/Restart.h"
#include "platform/services/Shell.h"
#include "platform/services/SystemInfo.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::app {

struct Services {
  ui::Toolkit& ui;
  registry::RegistryApi& registry;
  platform::SystemInfo& system;
  platform::RestartApi& restart;
  platform::ShellApi& shell;
  platform::MusicApi& music;
};

}  // namespace zorvanel::app
