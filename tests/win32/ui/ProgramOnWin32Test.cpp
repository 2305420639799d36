// The program's own windows and logic on the native toolkit, with the
// registry a substitute store holding the sample Windows XP machine and the
// other services stand-ins: what the user does reaches the handlers, modal
// boxes and windows hold the program as they should, and the timer goes on
// under them.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/ProgramWindows.h"
#include "app/WindowNames.h"
#include "platform/headless/FakeServices.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"
#include "platform/win32/Win32Toolkit.h"

namespace zorvanel::win32 {
namespace {

// What the user does while a modal box or window holds the program: a step
// run every 50 ms from that window's own message loop, until it says it is
// done. A timer's procedure must be a plain CALLBACK function, hence the
// one global.
std::function<bool()> gStep;
void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!gStep || gStep()) {
    ::KillTimer(nullptr, timer);
    gStep = nullptr;
  }
}
void WhileModal(std::function<bool()> step) {
  gStep = std::move(step);
  ::SetTimer(nullptr, 0, 50, RunStep);
}

std::string Caption(HWND window) {
  char text[256] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

store::Key SampleMachine() {
  std::ifstream file(ZORVANEL_EXAMPLES "/sample-xp.reg", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return store::ParseRegFile(bytes.str(), "sample-xp.reg");
}

class ProgramOnWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit_.Attach(windows_);
    toolkit_.Start(app::kMainframe);
    ASSERT_TRUE(toolkit_.IsLoaded(app::kMainframe));
  }
  void TearDown() override { gStep = nullptr; }

  ui::ControlRef Ref(std::string_view control) { return {app::kMainframe, control}; }
  HWND Handle(std::string_view control) { return toolkit_.ControlHandle(Ref(control)); }
  HWND Main() { return reinterpret_cast<HWND>(toolkit_.NativeHandle(app::kMainframe)); }
  UINT AboutCommand() { return ::GetMenuItemID(::GetMenu(Main()), 1); }

  std::ostringstream out_;
  headless::Transcript transcript_{out_};
  store::SubstituteStore store_{SampleMachine()};
  Win32Toolkit toolkit_;
  headless::FakeSystemInfo system_{platform::kPlatformWin32Nt};
  headless::FakeRestart restart_{transcript_, true};
  headless::RecordingShell shell_{transcript_};
  std::string directory_;
  headless::FakeMusic music_{transcript_, false, directory_};
  app::Services services_{toolkit_, store_, system_, restart_, shell_, music_};
  app::ProgramWindows windows_{services_};
};

// What detection shows is the replay scenarios' part; here, the keyboard.
TEST_F(ProgramOnWin32, StartsWithTheKeyboardOnTheTabStrip) {
  EXPECT_EQ(::GetFocus(), Handle("tbsMain"));

  ::SendMessageA(Handle("tbsMain"), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_TRUE(::IsWindowVisible(Handle("fmeSysInfo")));
  EXPECT_FALSE(::IsWindowVisible(Handle("fmeIntro")));
  ::SendMessageA(Handle("tbsMain"), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_TRUE(::IsWindowVisible(Handle("fmeSettings")));
  EXPECT_TRUE(::IsWindowVisible(Handle("cmdApply")));
}

TEST_F(ProgramOnWin32, WarningKeepsBlinkingWhileAMessageBoxIsOpen) {
  int changes = 0;
  bool shown = toolkit_.Visible(Ref("lblWarning"));
  int polls = 0;
  WhileModal([&] {
    if (toolkit_.Visible(Ref("lblWarning")) != shown) {
      shown = !shown;
      ++changes;
    }
    if (++polls < 30) return false;
    ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDOK, 0);
    return true;
  });
  EXPECT_EQ(toolkit_.MessageBox("Blink on", ui::Buttons::OK, ui::Icon::Information, "Test"),
            ui::Answer::OK);
  EXPECT_GE(changes, 2) << "the warning hides and shows again in 1.5 s";
}

// The unlocking code typed on the tab strip shows its box.
TEST_F(ProgramOnWin32, KeysTypedOnTheTabStripReachTheTypedCodes) {
  std::string box;
  WhileModal([&] {
    HWND active = ::GetActiveWindow();
    if (active == Main()) return false;
    box = Caption(active);
    ::PostMessageA(active, WM_COMMAND, IDOK, 0);
    return true;
  });
  for (char key : std::string("mortlequintar")) {
    ::SendMessageA(Handle("tbsMain"), WM_CHAR, static_cast<WPARAM>(key), 0);
  }
  EXPECT_EQ(box, "Cheats enabled!");
}

TEST_F(ProgramOnWin32, AboutBoxIsModalOverTheMainWindowUntilItsCloseBox) {
  bool mainTookInput = true;
  WhileModal([&] {
    if (!toolkit_.IsLoaded(app::kAboutBox)) return false;
    mainTookInput = ::IsWindowEnabled(Main()) != FALSE;
    HWND about = reinterpret_cast<HWND>(toolkit_.NativeHandle(app::kAboutBox));
    EXPECT_EQ(::GetWindow(about, GW_OWNER), Main());
    HWND link = toolkit_.ControlHandle({app::kAboutBox, "LbLink"});
    ::SendMessageA(about, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED),
                   reinterpret_cast<LPARAM>(link));
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    return true;
  });
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(AboutCommand(), 0), 0);  // About...
  EXPECT_FALSE(mainTookInput);
  EXPECT_FALSE(toolkit_.IsLoaded(app::kAboutBox));
  EXPECT_TRUE(::IsWindowEnabled(Main()));
  EXPECT_FALSE(toolkit_.Ended());
  EXPECT_NE(out_.str().find("shell open \"http://"), std::string::npos) << out_.str();
}

}  // namespace
}  // namespace zorvanel::win32
