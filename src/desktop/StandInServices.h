#pragma once
// The platform services the desktop program runs on. Those without a Linux
// implementation yet are stand-ins that do nothing and say so through the
// program's own failure paths.

#include "platform/services/Music.h"
#include "platform/services/Restart.h"
#include "platform/services/Shell.h"
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

// Links and documents are not opened.
class NoShell : public platform::ShellApi {
 public:
  void ShellExecute(std::uintptr_t, std::string_view, std::string_view, std::string_view,
                    std::string_view, int) override {}
};

// No music engine: the program reports that the music cannot be loaded.
class NoMusic : public platform::MusicApi {
 public:
  bool PrepareEngine() override { return false; }
  bool LoadFile(std::string_view) override { return false; }
  bool IsPlaying() override { return false; }
  void Play() override {}
};

}  // namespace zorvanel::desktop
