// The store file on Windows: the lock is the lock file held open without
// sharing, and a write replaces the store with MoveFileEx.

#include <io.h>

#include <cstdio>
#include <utility>

#include "platform/store/StoreFile.h"
#include "platform/store/StoreFileSystem.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::store::files {

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

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
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

// Six hexadecimal digits of the process id: one instance holds the store,
// so its temporary name cannot collide with another's.
std::string TempPath(const std::string& path) {
  char suffix[kTempSuffixLength + 1];
  std::snprintf(suffix, sizeof suffix, "%06lx", ::GetCurrentProcessId() & 0xFFFFFFUL);
  return path + std::string(kTempInfix) + suffix;
}

}  // namespace

// The lock lives on a file beside the store rather than on the store itself,
// because every write replaces the store with a new file. The handle becomes
// a C runtime descriptor, which is what the store keeps.
int TakeLock(const std::string& path) {
  const std::string lockPath = path + ".lock";
  Handle lock(::CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!lock.valid()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      throw StoreFileError("The store " + path + " is in use by another Zorvanel instance.");
    }
    throw StoreFileError("Cannot lock the store " + path + ": " + SystemMessage(error));
  }
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(lock.get()), 0);
  if (descriptor < 0) throw StoreFileError("Cannot lock the store " + path);
  lock.Release();
  return descriptor;
}

void ReleaseLock(int lock) { ::_close(lock); }  // closing releases the lock

ReadResult ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    return {error == ERROR_FILE_NOT_FOUND, SystemMessage(error)};
  }
  char buffer[64 * 1024];
  while (bytes.size() < limit) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return {false, SystemMessage(::GetLastError())};
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return {};
}

// The replacement is flushed before it is moved over the store, and the move
// itself is written through, so the store is always one whole file.
bool ReplaceAtomically(const std::string& path, std::string_view bytes) {
  const std::string tempPath = TempPath(path);
  Handle temp(::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!temp.valid()) return false;
  bool written = WriteAll(temp.get(), bytes) && ::FlushFileBuffers(temp.get());
  written = temp.Close() && written;
  if (!written || !::MoveFileExA(tempPath.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileA(tempPath.c_str());
    return false;
  }
  return true;
}

}  // namespace zorvanel::store::files
