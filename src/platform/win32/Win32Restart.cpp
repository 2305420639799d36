#include "platform/win32/Win32Restart.h"

namespace zorvanel::win32 {

namespace {

constexpr DWORD kAdjustAndQuery = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 0x28
constexpr DWORD kNotAllAssigned = ERROR_NOT_ALL_ASSIGNED;                 // 1300
constexpr UINT kReboot = EWX_REBOOT;                                      // 2

// One privilege: count, identifier (8 bytes), attributes.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);
static_assert(kAdjustAndQuery == 0x28 && kNotAllAssigned == 1300 && kReboot == 2);

}  // namespace

RestartCalls WindowsRestartCalls() {
  return {::GetCurrentProcess, ::OpenProcessToken,  ::LookupPrivilegeValueA,
          ::AdjustTokenPrivileges, ::GetLastError, ::CloseHandle, ::ExitWindowsEx};
}

// The adjustment succeeds even for an account that does not hold the
// privilege; only the last error (1300) tells that nothing was enabled.
bool Win32Restart::AcquireRestartRight() {
  HANDLE token = nullptr;
  if (!calls_.OpenProcessToken(calls_.GetCurrentProcess(), kAdjustAndQuery, &token)) {
    return false;
  }
  TOKEN_PRIVILEGES record{};
  record.PrivilegeCount = 1;
  record.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool enabled = calls_.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege",
                                              &record.Privileges[0].Luid) != 0;
  if (enabled) {
    TOKEN_PRIVILEGES previous{};
    DWORD returnedLength = 0;
    enabled = calls_.AdjustTokenPrivileges(token, FALSE, &record, sizeof record, &previous,
                                           &returnedLength) != 0 &&
              calls_.GetLastError() != kNotAllAssigned;
  }
  calls_.CloseHandle(token);
  return enabled;
}

// Applications are asked to close, not forced; Windows' answer is not looked at.
void Win32Restart::RequestRestart() { calls_.ExitWindowsEx(kReboot, 0); }

}  // namespace zorvanel::win32
