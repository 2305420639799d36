#pragma once
// The whole program without a screen: the headless toolkit, the stand-in
// platform services and the program's windows, over a registry of the
// caller's choosing. The replay runner, tests and benchmarks all run on it.

#include <ostream>
#include <string>

#include "app/ProgramWindows.h"
#include "app/Services.h"
#include "app/frmMainframe.h"
#include "platform/headless/FakeServices.h"
#include "platform/headless/HeadlessToolkit.h"
#include "platform/services/SystemInfo.h"

namespace zorvanel::headless {

struct HeadlessOptions {
  int platformId = platform::kPlatformWin32Nt;
  std::string programDir = ".";
  bool restartPrivileged = true;
  bool musicEngine = true;
  bool safeMode = false;
  std::string programPath = kDefaultProgramPath;  // the Windows program's full path
  bool offline = false;  // the registry is a Windows that is not running
};

class HeadlessProgram {
 public:
  HeadlessProgram(std::ostream& out, registry::RegistryApi& registry,
                  const HeadlessOptions& options = {});

  Transcript& transcript() { return transcript_; }
  HeadlessToolkit& toolkit() { return toolkit_; }
  FakeMusic& music() { return music_; }
  // The main window's logic, once the toolkit has loaded it; else null.
  app::frmMainframe* mainframe() { return windows_.mainframe; }

 private:
  // The program's windows, remembering the main window's logic.
  struct Windows : app::ProgramWindows {
    using ProgramWindows::ProgramWindows;
    std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view window) override;
    app::frmMainframe* mainframe = nullptr;
  };

  Transcript transcript_;
  HeadlessToolkit toolkit_;
  FakeSystemInfo system_;
  FakeRestart restart_;
  platform::OfflineRestart offlineRestart_;
  RecordingShell shell_;
  FakeMusic music_;
  app::Services services_;
  Windows windows_;
};

}  // namespace zorvanel::headless
