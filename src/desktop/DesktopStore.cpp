#include "desktop/DesktopStore.h"

#include <QFile>
#include <filesystem>
#include <system_error>

#include "platform/store/FileSafety.h"

namespace zorvanel::desktop {

namespace {

[[noreturn]] void CannotCreate(const std::string& path, const std::string& why) {
  throw store::StoreFileError("Cannot create the store " + path + ": " + why);
}

}  // namespace

std::optional<std::string> DefaultStorePath(const char* xdgDataHome, const char* home) {
  std::filesystem::path base;
  if (xdgDataHome && std::filesystem::path(xdgDataHome).is_absolute()) {
    base = xdgDataHome;
  } else if (home && *home) {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    return std::nullopt;
  }
  return (base / "zorvanel" / "registry.reg").string();
}

void CreateStoreIfMissing(const std::string& path, std::string_view sample) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) CannotCreate(path, error.message());
  if (const auto failure = files::CreateWhole(path, sample)) CannotCreate(path, failure->Text());
}

std::string SampleStore() {
  QFile sample(QStringLiteral(":/zorvanel/sample-xp.reg"));
  if (!sample.open(QIODevice::ReadOnly)) return {};
  return sample.readAll().toStdString();
}

}  // namespace zorvanel::desktop
