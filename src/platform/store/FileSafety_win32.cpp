// Careful file handling on Windows: the lock is a named mutex named after
// the volume of the file's folder and its path, so it leaves no file
// anywhere, and a replace is a new file moved over the old one with
// MoveFileEx.

#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/store/FileSafety.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::files {

namespace {

std::string SystemMessage(DWORD error) {
  char text[256] = {};
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' ||
                        text[length - 1] == '.')) {
    --length;
  }
  return length ? std::string(text, length) : "system error " + std::to_string(error);
}

Failure LastError(std::string step) { return Failure{std::move(step), static_cast<long>(::GetLastError())}; }

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(Handle&& other) noexcept : handle_(other.Release()) {}
  Handle& operator=(Handle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  bool Close() { return ::CloseHandle(Release()) != 0; }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD done = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)) {
      return false;
    }
    bytes.remove_prefix(done);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

// A stable hash of a path without regard to ASCII case, as Windows compares
// names.
std::uint64_t PathHash(std::string_view path) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a
  for (char c : path) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    hash = (hash ^ static_cast<unsigned char>(lower)) * 0x100000001b3ULL;
  }
  return hash;
}

// The mutex's name for a file: the serial number of its folder's volume and
// its full path, which a replace leaves as they are. Global, so that every
// session's instances meet it. Empty when the folder cannot be opened.
std::string LockName(const std::string& path) {
  Handle folder(::CreateFileA(FolderOf(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!folder.valid() || !::GetFileInformationByHandle(folder.get(), &info)) return {};
  char name[80];
  std::snprintf(name, sizeof name, "Global\\zorvanel-%08lx-%016llx",
                static_cast<unsigned long>(info.dwVolumeSerialNumber),
                static_cast<unsigned long long>(PathHash(path)));
  return name;
}

// A named mutex exists while any process has it open: finding it made
// already means another instance holds the file.
FileLock::Status LockOne(const std::string& name, Handle* lock, Failure* failure) {
  Handle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
  if (!mutex.valid()) {
    *failure = LastError("making the lock " + name);
    return FileLock::Status::kFailed;
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return FileLock::Status::kInUse;
  *lock = std::move(mutex);
  return FileLock::Status::kHeld;
}

// Six hexadecimal digits of the process id: one instance holds the file,
// so its temporary name cannot collide with another's.
std::string TemporaryPath(const std::string& path) {
  char suffix[kTemporarySuffixLength + 1];
  std::snprintf(suffix, sizeof suffix, "%06lx", ::GetCurrentProcessId() & 0xFFFFFFUL);
  return TemporaryPrefix(path) + suffix;
}

// The new content, flushed to disk, under its temporary name.
std::optional<Failure> WriteTemporary(const std::string& temporary, std::string_view bytes) {
  Handle file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError("creating the new file");
  std::optional<Failure> failure;
  if (!WriteAll(file.get(), bytes)) {
    failure = LastError("writing the new file");
  } else if (!::FlushFileBuffers(file.get())) {
    failure = LastError("flushing the new file to disk");
  } else if (!file.Close()) {
    failure = LastError("closing the new file");
  }
  if (failure) {
    file = Handle();
    ::DeleteFileA(temporary.c_str());
  }
  return failure;
}

}  // namespace

std::string Failure::Text() const {
  if (code == 0) return step;
  return step + ": " + SystemMessage(static_cast<DWORD>(code)) + " (error " +
         std::to_string(code) + ")";
}

std::string ResolvePath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::string TemporaryPrefix(const std::string& path) {
  return FolderOf(path) + "\\.zorvanel-" + NameOf(path) + "-";
}

struct FileLock::Held {
  Handle mutex;
};

FileLock::FileLock() : held_(std::make_unique<Held>()) {}
FileLock::~FileLock() = default;

FileLock::Status FileLock::Take(const std::string& path, Failure* failure) {
  const std::string name = LockName(path);
  if (name.empty()) {
    *failure = LastError("looking at the file's folder");
    return Status::kFailed;
  }
  return LockOne(name, &held_->mutex, failure);
}

std::optional<Failure> WhyNotReplaceable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;  // made at the first write
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failure{"it is not a regular file"};
  if (attributes & FILE_ATTRIBUTE_READONLY) return Failure{"it is write-protected"};
  Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() && ::GetLastError() == ERROR_ACCESS_DENIED) {
    return Failure{"it cannot be written", ERROR_ACCESS_DENIED};
  }
  return std::nullopt;
}

std::optional<Failure> ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes,
                                  bool* missing) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    *missing = error == ERROR_FILE_NOT_FOUND;
    return Failure{"opening it", static_cast<long>(error)};
  }
  *missing = false;
  char buffer[64 * 1024];
  while (bytes.size() < limit) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return LastError("reading it");
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return std::nullopt;
}

// The replacement is flushed before it is moved over the file, and the move
// itself is written through, so the file is always one whole file.
std::optional<Failure> ReplaceAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceByName(path, [bytes](const std::string& temporary) {
    return WriteTemporary(temporary, bytes);
  });
}

std::optional<Failure> ReplaceByName(const std::string& path, const FillByName& fill) {
  if (const auto why = WhyNotReplaceable(path)) {
    return Failure{"it may not be replaced: " + why->step, why->code};
  }
  const std::string temporary = TemporaryPath(path);
  if (auto failure = fill(temporary)) {
    ::DeleteFileA(temporary.c_str());
    return failure;
  }
  if (::MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return std::nullopt;
  }
  const Failure failure = LastError("moving the new file over it");
  ::DeleteFileA(temporary.c_str());
  return failure;
}

// Without MOVEFILE_REPLACE_EXISTING the move never replaces a file another
// instance made in the meantime.
std::optional<Failure> CreateWhole(const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryPath(path);
  if (auto failure = WriteTemporary(temporary, bytes)) return failure;
  if (::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return std::nullopt;
  const DWORD error = ::GetLastError();
  ::DeleteFileA(temporary.c_str());
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return std::nullopt;
  return Failure{"moving the new file into place", static_cast<long>(error)};
}

void RemoveInterruptedReplaces(const std::string& path) {
  const std::string prefix = TemporaryPrefix(path);
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((prefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::string namePrefix = NameOf(prefix);
  do {
    const std::string name = found.cFileName;
    const bool regular =
        !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    if (regular && name.size() == namePrefix.size() + kTemporarySuffixLength &&
        name.starts_with(namePrefix)) {
      ::DeleteFileA((FolderOf(path) + "\\" + name).c_str());
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

}  // namespace zorvanel::files
