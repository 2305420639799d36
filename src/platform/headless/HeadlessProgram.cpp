#include "platform/headless/HeadlessProgram.h"

#include <filesystem>

#include "app/WindowNames.h"

namespace zorvanel::headless {

HeadlessProgram::HeadlessProgram(std::ostream& out, registry::RegistryApi& registry,
                                 const HeadlessOptions& options)
    : transcript_(out),
      toolkit_(transcript_, std::filesystem::absolute(options.programDir).string()),
      system_(options.platformId, options.safeMode, options.programPath),
      restart_(transcript_, options.restartPrivileged),
      shell_(transcript_),
      music_(transcript_, options.musicEngine, toolkit_.CurrentDirectory()),
      services_{toolkit_,
                registry,
                system_,
                options.offline ? static_cast<platform::RestartApi&>(offlineRestart_) : restart_,
                shell_,
                music_},
      windows_(services_) {
  toolkit_.Attach(windows_);
}

std::unique_ptr<ui::WindowLogic> HeadlessProgram::Windows::CreateLogic(std::string_view window) {
  auto logic = ProgramWindows::CreateLogic(window);
  if (window == app::kMainframe) mainframe = static_cast<app::frmMainframe*>(logic.get());
  return logic;
}

}  // namespace zorvanel::headless
