#include "platform/win32/Win32SystemInfo.h"

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

}  // namespace zorvanel::win32
