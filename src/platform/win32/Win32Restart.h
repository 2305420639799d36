#pragma once
// The restart on Windows NT: the process enables the shutdown privilege in
// its own access token, then asks Windows to reboot.

#include "platform/services/Restart.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

// The Windows calls a restart makes, so that tests can stand in for them.
struct RestartCalls {
  HANDLE(WINAPI* GetCurrentProcess)();
  BOOL(WINAPI* OpenProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* LookupPrivilegeValueA)(LPCSTR system, LPCSTR name, PLUID luid);
  BOOL(WINAPI* AdjustTokenPrivileges)(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous,
                                      PDWORD returnedLength);
  DWORD(WINAPI* GetLastError)();
  BOOL(WINAPI* CloseHandle)(HANDLE handle);
  BOOL(WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
};

// The real ones.
RestartCalls WindowsRestartCalls();

class Win32Restart : public platform::RestartApi {
 public:
  explicit Win32Restart(RestartCalls calls = WindowsRestartCalls()) : calls_(calls) {}

  bool AcquireRestartRight() override;
  void RequestRestart() override;

 private:
  RestartCalls calls_;
};

}  // namespace zorvanel::win32
