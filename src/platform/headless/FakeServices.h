#pragma once
// Stand-ins for the platform services that write each request to the
// transcript instead of carrying it out.

#include <string>

#include "platform/headless/Transcript.h"
#include "platform/services/Music.h"
#include "platform/services/Restart.h"
#include "platform/services/Shell.h"
#include "platform/services/SystemInfo.h"

namespace zorvanel::headless {

// Where the Windows program is installed unless a run says otherwise.
inline constexpr const char* kDefaultProgramPath = "C:\\Program Files\\Zorvanel\\zorvanel.exe";

class FakeSystemInfo : public platform::SystemInfo {
 public:
  explicit FakeSystemInfo(int platformId, bool safeMode = false,
                          std::string programPath = kDefaultProgramPath)
      : platformId_(platformId), safeMode_(safeMode), programPath_(std::move(programPath)) {}
  int PlatformId() override { return platformId_; }
  std::string ProgramPath() override { return programPath_; }
  bool SafeMode() override { return safeMode_; }

 private:
  int platformId_;
  bool safeMode_;
  std::string programPath_;
};

class FakeRestart : public platform::RestartApi {
 public:
  FakeRestart(Transcript& transcript, bool privileged)
      : transcript_(transcript), privileged_(privileged) {}
  bool AcquireRestartRight() override { return privileged_; }
  void RequestRestart() override { transcript_.Line("restart"); }

 private:
  Transcript& transcript_;
  bool privileged_;
};

class RecordingShell : public platform::ShellApi {
 public:
  explicit RecordingShell(Transcript& transcript) : transcript_(transcript) {}
  void ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                    std::string_view parameters, std::string_view directory,
                    int showCommand) override;

 private:
  Transcript& transcript_;
};

// Loads a file when it exists in the current directory, and plays it until
// told that the music has ended.
class FakeMusic : public platform::MusicApi {
 public:
  FakeMusic(Transcript& transcript, bool engineAvailable, const std::string& currentDirectory)
      : transcript_(transcript), engine_(engineAvailable), directory_(currentDirectory) {}

  bool PrepareEngine() override;
  bool LoadFile(std::string_view fileName) override;
  bool IsPlaying() override { return playing_; }
  void Play() override;
  void MusicEnds() { playing_ = false; }

 private:
  Transcript& transcript_;
  bool engine_;
  const std::string& directory_;
  bool loaded_ = false;
  bool playing_ = false;
};

}  // namespace zorvanel::headless
