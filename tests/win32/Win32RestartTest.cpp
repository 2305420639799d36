// The restart's steps against stand-ins for the Windows calls: no test may
// ask the real system to restart.

#include "platform/win32/Win32Restart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services/mdlShutdown.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::win32 {
namespace {

// What the stand-ins answer, and each call they had with what it was asked.
// The calls are plain Windows functions, so they reach it through one pointer.
struct FakeSystem {
  BOOL openToken = TRUE, lookUp = TRUE, adjust = TRUE;
  DWORD lastError = ERROR_SUCCESS;
  std::vector<std::string> calls;
};
FakeSystem* gSystem = nullptr;
HANDLE const kProcess = reinterpret_cast<HANDLE>(0x10);
HANDLE const kToken = reinterpret_cast<HANDLE>(0x20);

// Records the call and gives the stand-in's answer.
template <typename T>
T Called(std::string call, T answer) {
  gSystem->calls.push_back(std::move(call));
  return answer;
}

HANDLE WINAPI FakeGetCurrentProcess() { return Called("GetCurrentProcess", kProcess); }
BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  if (gSystem->openToken) *token = kToken;
  return Called("OpenProcessToken " + std::to_string(process == kProcess) + " " +
                    std::to_string(access),
                gSystem->openToken);
}
BOOL WINAPI FakeLookupPrivilegeValueA(LPCSTR system, LPCSTR name, PLUID luid) {
  *luid = LUID{0x13, -2};
  return Called(std::string("LookupPrivilegeValueA ") + (system ? "remote " : "") + name,
                gSystem->lookUp);
}
BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned) {
  const LUID_AND_ATTRIBUTES& p = state->Privileges[0];
  return Called("AdjustTokenPrivileges " + std::to_string(token == kToken && previous && returned) +
                    " " + std::to_string(disableAll) + " " + std::to_string(length) + " " +
                    std::to_string(state->PrivilegeCount) + " " + std::to_string(p.Luid.LowPart) +
                    "," + std::to_string(p.Luid.HighPart) + " " + std::to_string(p.Attributes),
                gSystem->adjust);
}
DWORD WINAPI FakeGetLastError() { return Called("GetLastError", gSystem->lastError); }
BOOL WINAPI FakeCloseHandle(HANDLE handle) {
  return Called("CloseHandle " + std::to_string(handle == kToken), TRUE);
}
BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
  return Called("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason), TRUE);
}

// RestartSystem on the stand-ins: the failure messages it showed.
std::vector<std::string> RestartSystem(FakeSystem& system) {
  gSystem = &system;
  Win32Restart restart({FakeGetCurrentProcess, FakeOpenProcessToken, FakeLookupPrivilegeValueA,
                        FakeAdjustTokenPrivileges, FakeGetLastError, FakeCloseHandle,
                        FakeExitWindowsEx});
  contract::RecordingBoxes boxes;
  platform::mdlShutdown(restart, boxes).RestartSystem();
  gSystem = nullptr;
  return boxes.texts;
}

// The shutdown privilege enabled in the process's token (query and adjust
// access, one privilege, enabled), the token closed, then a reboot asked;
// any last error but "not all assigned" (1300) counts as success. A failure
// before the request is reported once, and nothing is asked of Windows after
// it; the token, once open, is closed again.
TEST(Win32Restart, EnablesTheShutdownPrivilegeThenAsksForAReboot) {
  const std::vector<std::string> reboot = {
      "GetCurrentProcess", "OpenProcessToken 1 40", "LookupPrivilegeValueA SeShutdownPrivilege",
      "AdjustTokenPrivileges 1 0 16 1 19,-2 2", "GetLastError", "CloseHandle 1",
      "ExitWindowsEx 2 0"};
  const std::vector<std::string> failed = {platform::kRestartFailureText};
  const struct {
    FakeSystem system;
    std::vector<std::string> boxes;
    std::size_t calls;  // the first ones of a reboot
  } cases[] = {
      {{}, {}, 7},
      {{.lastError = ERROR_INVALID_HANDLE}, {}, 7},
      {{.openToken = FALSE}, failed, 2},
      {{.lookUp = FALSE}, failed, 3},
      {{.adjust = FALSE}, failed, 4},
      {{.lastError = 1300}, failed, 5},
  };
  for (auto [system, boxes, calls] : cases) {
    SCOPED_TRACE(calls);
    EXPECT_EQ(RestartSystem(system), boxes);
    std::vector<std::string> expected(reboot.begin(), reboot.begin() + calls);
    if (calls < 7 && calls > 2) expected.push_back("CloseHandle 1");
    EXPECT_EQ(system.calls, expected);
  }
}

}  // namespace
}  // namespace zorvanel::win32
