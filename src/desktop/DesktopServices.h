#pragma once
// The platform query of the desktop program.

#include "platform/services/SystemInfo.h"

namespace zorvanel::desktop {

// The program manages a Windows NT driver's keys, so it stands for NT. It
// has no Windows program to start at the next logon, and never starts in
// safe mode.
class LinuxSystemInfo : public platform::SystemInfo {
 public:
  int PlatformId() override { return platform::kPlatformWin32Nt; }
  std::string ProgramPath() override { return {}; }
  bool SafeMode() override { return false; }
};

}  // namespace zorvanel::desktop
