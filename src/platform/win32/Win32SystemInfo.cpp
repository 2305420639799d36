#include "platform/win32/Win32SystemInfo.h"

#include <string>

#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

// The version record of the oldest systems the program runs on: 148 bytes,
// without the service-pack fields of the extended record.
static_assert(sizeof(OSVERSIONINFOA) == 148);

int Win32SystemInfo::PlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(&info)) return 0;
  return static_cast<int>(info.dwPlatformId);
}

// A path that does not fit MAX_PATH is cut by the system: it would start
// nothing, so it counts as none.
std::string Win32SystemInfo::ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
}

// SM_CLEANBOOT is 0 for a normal start, 1 for safe mode, 2 for safe mode
// with networking.
bool Win32SystemInfo::SafeMode() { return ::GetSystemMetrics(SM_CLEANBOOT) != 0; }

}  // namespace zorvanel::win32
