#include "desktop/DesktopStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zorvanel::desktop {

namespace {

using store::StoreFileError;

[[noreturn]] void CannotCreate(const std::string& path, const std::string& why) {
  throw StoreFileError("Cannot create the store " + path + ": " + why);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return ::fsync(fd) == 0;
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

// The sample is written beside the store and linked into place: linking
// never replaces a store another instance made in the meantime.
void CreateStoreIfMissing(const std::string& path, std::string_view sample) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) CannotCreate(path, error.message());

  std::string temp = path + ".new-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) CannotCreate(path, std::strerror(errno));
  const bool written = WriteAll(fd, sample);
  const int writeError = errno;
  ::close(fd);
  const bool linked = written && (::link(temp.c_str(), path.c_str()) == 0 || errno == EEXIST);
  const int linkError = errno;
  ::unlink(temp.c_str());
  if (!written) CannotCreate(path, std::strerror(writeError));
  if (!linked) CannotCreate(path, std::strerror(linkError));
}

std::string SampleStore() {
  QFile sample(QStringLiteral(":/zorvanel/sample-xp.reg"));
  if (!sample.open(QIODevice::ReadOnly)) return {};
  return sample.readAll().toStdString();
}

}  // namespace zorvanel::desktop
