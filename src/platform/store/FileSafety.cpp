#include "platform/store/FileSafety.h"

#include <filesystem>
#include <system_error>

namespace zorvanel::files {

namespace fs = std::filesystem;

// Links are followed one by one rather than with canonical(), so that a link
// to a file that does not exist yet still leads to where that file will be.
std::string ResolvePath(const std::string& path) {
  constexpr int kMaxLinks = 40;
  std::error_code error;
  fs::path file = fs::absolute(path, error);
  if (error) return path;
  for (int links = 0; links < kMaxLinks && fs::is_symlink(file, error); ++links) {
    const fs::path target = fs::read_symlink(file, error);
    if (error) break;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  const fs::path folder = fs::weakly_canonical(file.parent_path(), error);
  if (!error) file = folder / file.filename();
  return file.lexically_normal().string();
}

std::string TemporaryPrefix(const std::string& path) {
  const fs::path file(path);
  return (file.parent_path() / (".zorvanel-" + file.filename().string() + "-"))
      .string();
}

}  // namespace zorvanel::files
