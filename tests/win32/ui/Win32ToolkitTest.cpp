// The native toolkit on real Windows controls (under Wine on a virtual
// display in CI), with the contract's test windows: what only real controls
// show, as styles, fonts, places and colours, the user's actions reaching
// the window's logic as events, and the modal loops. (The program's own
// windows run on it in the screenshots of scripts/windows-screenshots.sh.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Toolkit.h"
#include "tests/contract/ContractWindows.h"

namespace zorvanel::win32 {
namespace {

using contract::kTestDialog;
using contract::kTestWindow;

class Win32ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit_.Attach(windows_);
    toolkit_.Start(kTestWindow);
    ASSERT_TRUE(toolkit_.IsLoaded(kTestWindow));
    toolkit_.SetEnabled(Ref("tmrTick"), false);  // no tick among the events
    log_.lines.clear();
  }

  static ui::ControlRef Ref(std::string_view control) { return {kTestWindow, control}; }
  HWND Handle(std::string_view control) { return toolkit_.ControlHandle(Ref(control)); }
  HWND Main() { return reinterpret_cast<HWND>(toolkit_.NativeHandle(kTestWindow)); }
  LOGFONTA FontOf(std::string_view control) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Handle(control), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    return font;
  }

  contract::EventLog log_;
  contract::TestWindows windows_{log_};
  Win32Toolkit toolkit_;
};

TEST_F(Win32ToolkitTest, NativeControlsFollowTheLayoutAndTheRequests) {
  EXPECT_EQ(::GetFocus(), Handle("tbsStrip")) << "typed keys go to the tab strip";
  // A fixed border: the user cannot resize the window.
  EXPECT_EQ(::GetWindowLongA(Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  toolkit_.SetEnabled(Ref("cmdGo"), false);
  EXPECT_FALSE(::IsWindowEnabled(Handle("cmdGo")));

  const LOGFONTA heading = FontOf("lblText");
  EXPECT_STREQ(heading.lfFaceName, "Tahoma");
  EXPECT_EQ(heading.lfWeight, FW_BOLD);
  EXPECT_TRUE(heading.lfUnderline);
  const LOGFONTA text = FontOf("lblInner");
  EXPECT_EQ(text.lfWeight, FW_NORMAL);
  EXPECT_FALSE(text.lfUnderline);
  EXPECT_EQ(text.lfHeight, FontHeight(8.25, Gdi::ScreenDpi()));

  // The colour a label is drawn with is the one last set.
  HWND label = Handle("lblText");
  HDC dc = ::GetDC(label);
  auto drawnColor = [&] {
    ::SendMessageA(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label));
    return ::GetTextColor(dc);
  };
  EXPECT_EQ(drawnColor(), RGB(0xFF, 0, 0));
  toolkit_.SetTextColor(Ref("lblText"), ui::kBlack);
  EXPECT_EQ(drawnColor(), RGB(0, 0, 0));
  ::ReleaseDC(label, dc);

  // Places are twips within the container, turned into pixels at the
  // screen's DPI; the client area is the layout's.
  const Gdi gdi(Gdi::ScreenDpi());
  const ui::WindowLayout& layout = windows_.Layout(kTestWindow);
  for (const char* name : {"tbsStrip", "fmePage", "lblText", "fmeGroup", "obtB", "cmdGo",
                           "cmbList"}) {
    SCOPED_TRACE(name);
    const RECT expected = gdi.PixelRect(layout.Find(name)->twips);
    RECT placed;
    ::GetWindowRect(Handle(name), &placed);
    ::MapWindowPoints(nullptr, ::GetParent(Handle(name)), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    EXPECT_EQ(placed.right - placed.left, expected.right - expected.left);
  }
  RECT client;
  ::GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, gdi.Pixels(layout.clientWidth));
  EXPECT_EQ(client.bottom, gdi.Pixels(layout.clientHeight));
}

TEST_F(Win32ToolkitTest, UserActionsReachTheLogicAsEvents) {
  ::SendMessageA(Handle("cmdGo"), BM_CLICK, 0, 0);
  // A key typed on the tab strip is raised, and the strip still acts on it.
  ::SendMessageA(Handle("tbsStrip"), WM_CHAR, 'm', 0);
  ::SendMessageA(Handle("tbsStrip"), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(toolkit_.SelectedTab(Ref("tbsStrip")), 2);
  ::SendMessageA(Handle("cmbList"), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(toolkit_.Text(Ref("cmbList")), "c");
  HMENU bar = ::GetMenu(Main());
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(::GetSubMenu(bar, 0), 0), 0), 0);
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(bar, 1), 0), 0);
  EXPECT_EQ(log_.lines, (std::vector<std::string>{"cmdGo Click", "tbsStrip KeyPress 109",
                                                  "tbsStrip Click", "cmbList Click",
                                                  "mnuItem Click", "mnuCommand Click"}));
}

// A message box has a message loop of its own, in which timers go on.
TEST_F(Win32ToolkitTest, TimersTickWhileAMessageBoxIsOpen) {
  toolkit_.SetEnabled(Ref("tmrTick"), true);
  ::SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::PostMessageA(::GetActiveWindow(), WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(toolkit_.MessageBox("Tick on", ui::Buttons::OK, ui::Icon::Information, "Test"),
            ui::Answer::OK);
  EXPECT_GE(log_.Count("tmrTick Timer"), 2);
}

// Another program's WM_CLOSE to a modal dialog's owner (End task), or Windows
// destroying a window on the toolkit's behalf, or the dialog's own close
// box, while ShowModal waits with the owner disabled. A watchdog ends the
// program should ShowModal never return.
struct Outside {
  Win32Toolkit* toolkit;
  HWND main;
  void (*act)(HWND main, HWND dialog);
  HWND disabledOwner = nullptr;  // the dialog's owner, when it was disabled
  bool watchdogEnded = false;
} gOutside;
void CALLBACK ActFromOutside(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  HWND dialog = reinterpret_cast<HWND>(gOutside.toolkit->NativeHandle(kTestDialog));
  if (!::IsWindowEnabled(gOutside.main)) gOutside.disabledOwner = ::GetWindow(dialog, GW_OWNER);
  gOutside.act(gOutside.main, dialog);
}
void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  gOutside.watchdogEnded = true;
  gOutside.toolkit->EndProgram();
}

TEST(Win32ModalWindow, ItsEndFromOutsideIsNeverMissed) {
  const struct {
    const char* what;
    void (*act)(HWND main, HWND dialog);
    bool ownerStays;
  } rows[] = {
      {"WM_CLOSE to the owner", [](HWND main, HWND) { ::PostMessageA(main, WM_CLOSE, 0, 0); },
       false},
      {"the owner destroyed", [](HWND main, HWND) { ::DestroyWindow(main); }, false},
      {"the dialog destroyed", [](HWND, HWND dialog) { ::DestroyWindow(dialog); }, true},
      {"the dialog's close box", [](HWND, HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); },
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    contract::EventLog log;
    contract::TestWindows windows{log};
    Win32Toolkit toolkit;
    toolkit.Attach(windows);
    toolkit.Start(kTestWindow);
    gOutside = {&toolkit, reinterpret_cast<HWND>(toolkit.NativeHandle(kTestWindow)), row.act};
    ::SetTimer(nullptr, 0, 50, ActFromOutside);
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 3000, Watchdog);
    toolkit.ShowModal(kTestDialog, kTestWindow);
    ::KillTimer(nullptr, watchdog);
    EXPECT_FALSE(gOutside.watchdogEnded) << "ShowModal did not return";
    EXPECT_EQ(gOutside.disabledOwner, gOutside.main);
    EXPECT_FALSE(toolkit.IsLoaded(kTestDialog));
    EXPECT_EQ(toolkit.IsLoaded(kTestWindow), row.ownerStays);
    EXPECT_EQ(::IsWindowEnabled(gOutside.main) != FALSE, row.ownerStays) << "given back";
    EXPECT_EQ(toolkit.Ended(), !row.ownerStays) << "the program ends with its last window";
  }
}

}  // namespace
}  // namespace zorvanel::win32
