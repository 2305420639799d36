// The restart's steps against stand-ins for the Windows calls: no test may
// ask the real system to restart.

#include "platform/win32/Win32Restart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services/mdlShutdown.h"

namespace zorvanel::win32 {
namespace {

// What the stand-ins answer and what they were asked. The calls are plain
// Windows functions, so they reach it through this one pointer.
struct FakeSystem {
  bool openToken = true;
  bool lookUp = true;
  bool adjust = true;
  DWORD lastError = ERROR_SUCCESS;
  std::vector<std::string> calls;
  DWORD tokenAccess = 0;
  std::string privilege;
  TOKEN_PRIVILEGES record{};
  DWORD recordLength = 0;
  BOOL disableAll = TRUE;
  UINT exitFlags = 0;
  DWORD exitReason = 1;
};
FakeSystem* gSystem = nullptr;
HANDLE const kProcess = reinterpret_cast<HANDLE>(0x10);
HANDLE const kToken = reinterpret_cast<HANDLE>(0x20);
const LUID kShutdownLuid{0x13, -2};

HANDLE WINAPI FakeGetCurrentProcess() {
  gSystem->calls.push_back("GetCurrentProcess");
  return kProcess;
}
BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  gSystem->calls.push_back(process == kProcess ? "OpenProcessToken" : "OpenProcessToken?");
  gSystem->tokenAccess = access;
  if (!gSystem->openToken) return FALSE;
  *token = kToken;
  return TRUE;
}
BOOL WINAPI FakeLookupPrivilegeValueA(LPCSTR system, LPCSTR name, PLUID luid) {
  gSystem->calls.push_back(system ? "LookupPrivilegeValueA(remote)" : "LookupPrivilegeValueA");
  gSystem->privilege = name;
  if (!gSystem->lookUp) return FALSE;
  *luid = kShutdownLuid;
  return TRUE;
}
BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned) {
  gSystem->calls.push_back(token == kToken && previous && returned ? "AdjustTokenPrivileges"
                                                                   : "AdjustTokenPrivileges?");
  gSystem->disableAll = disableAll;
  gSystem->record = *state;
  gSystem->recordLength = length;
  return gSystem->adjust;
}
DWORD WINAPI FakeGetLastError() {
  gSystem->calls.push_back("GetLastError");
  return gSystem->lastError;
}
BOOL WINAPI FakeCloseHandle(HANDLE handle) {
  gSystem->calls.push_back(handle == kToken ? "CloseHandle" : "CloseHandle?");
  return TRUE;
}
BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
  gSystem->calls.push_back("ExitWindowsEx");
  gSystem->exitFlags = flags;
  gSystem->exitReason = reason;
  return TRUE;
}

class CountingBoxes : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view text, ui::Buttons, ui::Icon, std::string_view) override {
    texts.emplace_back(text);
    return ui::Answer::OK;
  }
  std::vector<std::string> texts;
};

class Win32RestartTest : public ::testing::Test {
 protected:
  void SetUp() override { gSystem = &system_; }
  void TearDown() override { gSystem = nullptr; }

  // RestartSystem on the fakes; the failure messages it showed.
  std::vector<std::string> RestartSystem() {
    Win32Restart restart({FakeGetCurrentProcess, FakeOpenProcessToken, FakeLookupPrivilegeValueA,
                          FakeAdjustTokenPrivileges, FakeGetLastError, FakeCloseHandle,
                          FakeExitWindowsEx});
    CountingBoxes boxes;
    platform::mdlShutdown(restart, boxes).RestartSystem();
    return boxes.texts;
  }

  FakeSystem system_;
};

TEST_F(Win32RestartTest, EnablesTheShutdownPrivilegeThenAsksForAReboot) {
  EXPECT_TRUE(RestartSystem().empty());
  EXPECT_EQ(system_.calls,
            (std::vector<std::string>{"GetCurrentProcess", "OpenProcessToken",
                                      "LookupPrivilegeValueA", "AdjustTokenPrivileges",
                                      "GetLastError", "CloseHandle", "ExitWindowsEx"}));
  EXPECT_EQ(system_.tokenAccess, 0x28u);
  EXPECT_EQ(system_.privilege, "SeShutdownPrivilege");
  EXPECT_FALSE(system_.disableAll);
  EXPECT_EQ(system_.recordLength, 16u);
  EXPECT_EQ(system_.record.PrivilegeCount, 1u);
  EXPECT_EQ(system_.record.Privileges[0].Luid.LowPart, kShutdownLuid.LowPart);
  EXPECT_EQ(system_.record.Privileges[0].Luid.HighPart, kShutdownLuid.HighPart);
  EXPECT_EQ(system_.record.Privileges[0].Attributes, 2u);
  EXPECT_EQ(system_.exitFlags, 2u);
  EXPECT_EQ(system_.exitReason, 0u);
}

// Each failure before the request is reported once, and nothing is asked of
// Windows after it; the token, once open, is closed again.
TEST_F(Win32RestartTest, AFailureBeforeTheRequestIsReportedOnceAndStopsThere) {
  struct Case {
    const char* name;
    void (*fail)(FakeSystem&);
    const char* lastCall;
  };
  const Case cases[] = {
      {"token", [](FakeSystem& s) { s.openToken = false; }, "OpenProcessToken"},
      {"look-up", [](FakeSystem& s) { s.lookUp = false; }, "CloseHandle"},
      {"adjustment", [](FakeSystem& s) { s.adjust = false; }, "CloseHandle"},
      {"privilege not held (1300)", [](FakeSystem& s) { s.lastError = 1300; }, "CloseHandle"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    system_ = FakeSystem{};
    c.fail(system_);
    EXPECT_EQ(RestartSystem(),
              std::vector<std::string>{platform::kRestartFailureText});
    EXPECT_EQ(system_.calls.back(), c.lastCall);
    EXPECT_EQ(std::count(system_.calls.begin(), system_.calls.end(), "ExitWindowsEx"), 0);
  }
}

TEST_F(Win32RestartTest, AnyOtherLastErrorCountsAsSuccess) {
  system_.lastError = ERROR_INVALID_HANDLE;
  EXPECT_TRUE(RestartSystem().empty());
  EXPECT_EQ(system_.calls.back(), "ExitWindowsEx");
}

}  // namespace
}  // namespace zorvanel::win32
