#include "desktop/ProgramFiles.h"

#include <filesystem>
#include <system_error>

namespace zorvanel::desktop {

namespace fs = std::filesystem;

ProgramFiles ProgramFilesBeside(const std::string& programFolder) {
  const fs::path folder(programFolder);
  return {(folder / ZORVANEL_DATA_FROM_BIN).lexically_normal().string(),
          (folder / ZORVANEL_DOC_FROM_BIN).lexically_normal().string(),
          (folder / ZORVANEL_MUSIC_MODULE_FROM_BIN).lexically_normal().string()};
}

// The kernel names the running executable; without /proc, the current
// directory stands in for its folder.
ProgramFiles ThisProgramsFiles() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return ProgramFilesBeside(error ? fs::current_path(error).string()
                                  : program.parent_path().string());
}

}  // namespace zorvanel::desktop
