#pragma once
// The platform query of the desktop program.

#include "platform/services/SystemInfo.h"

namespace zorvanel::desktop {

// The program manages a Windows NT driver's keys, so it stands for NT.
class LinuxSystemInfo : public platform::SystemInfo {
 public:
  int PlatformId() override { return platform::kPlatformWin32Nt; }
};

}  // namespace zorvanel::desktop
