#pragma once
// Platform services of the desktop program that need no system call: the
// platform query, and a stand-in for a service Linux does not have yet,
// which fails through the program's own failure path.

#include "platform/services/Restart.h"
#include "platform/services/SystemInfo.h"

namespace zorvanel::desktop {

// The program manages a Windows NT driver's keys, so it stands for NT.
class LinuxSystemInfo : public platform::SystemInfo {
 public:
  int PlatformId() override { return platform::kPlatformWin32Nt; }
};

// No restart: the program tells the user to restart by hand.
class NoRestart : public platform::RestartApi {
 public:
  bool AcquireRestartRight() override { return false; }
  void RequestRestart() override {}
};

}  // namespace zorvanel::desktop
