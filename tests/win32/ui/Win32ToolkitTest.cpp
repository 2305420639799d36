// The native toolkit on real Windows controls (under Wine on a virtual
// display in CI): the program's own layout rendered, the seam's operations,
// and the user's actions reaching the window's logic as events.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainframeLayout.h"
#include "app/WindowNames.h"
#include "platform/win32/Win32Toolkit.h"

namespace zorvanel::win32 {
namespace {

constexpr const char* kDialog = "frmTestDialog";

// Records what reaches the window's logic.
class RecordingLogic : public ui::WindowLogic {
 public:
  explicit RecordingLogic(std::vector<std::string>& events) : events_(events) {}
  void Form_Load() override { events_.push_back("load"); }
  void OnEvent(const ui::Event& event) override {
    static constexpr const char* kKinds[] = {"click", "key", "timer"};
    std::string line = std::string(event.control) + " " + kKinds[static_cast<int>(event.kind)];
    if (event.kind == ui::EventKind::KeyPress) line += " " + std::to_string(event.key);
    events_.push_back(line);
  }

 private:
  std::vector<std::string>& events_;
};

// The main window's real layout, and a small modal dialog.
class TestWindows : public ui::WindowFactory {
 public:
  TestWindows() {
    dialog_.name = kDialog;
    dialog_.caption = "Dialog";
    dialog_.clientWidth = 1500;
    dialog_.clientHeight = 900;
    dialog_.showInTaskbar = false;
  }
  const ui::WindowLayout& Layout(std::string_view window) const override {
    return window == kDialog ? dialog_ : app::MainframeLayout();
  }
  std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view) override {
    return std::make_unique<RecordingLogic>(events);
  }
  std::vector<std::string> events;

 private:
  ui::WindowLayout dialog_;
};

class Win32ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit_.Attach(windows_);
    toolkit_.Start(app::kMainframe);
    ASSERT_TRUE(toolkit_.IsLoaded(app::kMainframe));
  }

  ui::ControlRef Ref(std::string_view control) { return {app::kMainframe, control}; }
  HWND Handle(std::string_view control) { return toolkit_.ControlHandle(Ref(control)); }
  HWND Main() { return reinterpret_cast<HWND>(toolkit_.NativeHandle(app::kMainframe)); }
  std::vector<std::string>& Events() { return windows_.events; }

  // A control's place in its container, in pixels.
  RECT PlaceOf(std::string_view control) {
    HWND hwnd = Handle(control);
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  TestWindows windows_;
  Win32Toolkit toolkit_;
};

// What the contract cannot see: native states and styles.
TEST_F(Win32ToolkitTest, NativeControlsFollowTheLayoutAndTheRequests) {
  EXPECT_FALSE(::IsWindowEnabled(Handle("cmdBackup")));
  toolkit_.SetEnabled(Ref("cmdBackup"), true);
  EXPECT_TRUE(::IsWindowEnabled(Handle("cmdBackup")));
  // A fixed border: the user cannot resize the window.
  EXPECT_EQ(::GetWindowLongA(Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
}

TEST_F(Win32ToolkitTest, ControlsHaveTheirFonts) {
  auto fontOf = [&](std::string_view control) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Handle(control), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    return font;
  };
  const LOGFONTA heading = fontOf("Label31");
  EXPECT_STREQ(heading.lfFaceName, "Tahoma");
  EXPECT_EQ(heading.lfWeight, FW_BOLD);
  EXPECT_TRUE(heading.lfUnderline);
  const LOGFONTA text = fontOf("Label2");
  EXPECT_EQ(text.lfWeight, FW_NORMAL);
  EXPECT_FALSE(text.lfUnderline);
  EXPECT_EQ(text.lfHeight, FontHeight(8.25, Gdi::ScreenDpi()));
}

// Positions are twips within the container, turned into pixels at the
// screen's DPI; the client area is the layout's.
TEST_F(Win32ToolkitTest, ControlsSitWhereTheLayoutPutsThem) {
  const Gdi gdi(Gdi::ScreenDpi());
  for (const char* name : {"fmeSettings", "Frame26", "lblWarning", "cmdApply", "cmb1024x768"}) {
    SCOPED_TRACE(name);
    const ui::ControlSpec* spec = app::MainframeLayout().Find(name);
    const RECT expected = gdi.PixelRect(spec->twips);
    const RECT placed = PlaceOf(name);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    EXPECT_EQ(placed.right - placed.left, expected.right - expected.left);
  }
  RECT client;
  ::GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, gdi.Pixels(app::MainframeLayout().clientWidth));
  EXPECT_EQ(client.bottom, gdi.Pixels(app::MainframeLayout().clientHeight));
}

// The colour a label is drawn with is the one last set.
TEST_F(Win32ToolkitTest, LabelsAreDrawnInTheirTextColour) {
  HWND label = Handle("lblOS");
  HDC dc = ::GetDC(label);
  auto drawnColor = [&] {
    ::SendMessageA(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label));
    return ::GetTextColor(dc);
  };
  EXPECT_EQ(drawnColor(), RGB(0xFF, 0, 0));
  toolkit_.SetTextColor(Ref("lblOS"), ui::kBlack);
  EXPECT_EQ(drawnColor(), RGB(0, 0, 0));
  ::ReleaseDC(label, dc);
}

TEST_F(Win32ToolkitTest, UserActionsReachTheLogicAsEvents) {
  Events().clear();
  ::SendMessageA(Handle("cmdApply"), BM_CLICK, 0, 0);
  // A key typed on the tab strip is raised, and the strip still acts on it.
  ::SendMessageA(Handle("tbsMain"), WM_CHAR, 'm', 0);
  ::SendMessageA(Handle("tbsMain"), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(toolkit_.SelectedTab(Ref("tbsMain")), 2);
  ::SendMessageA(Handle("cmb320x200"), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(toolkit_.Text(Ref("cmb320x200")), "60");
  HMENU bar = ::GetMenu(Main());
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(::GetSubMenu(bar, 0), 0), 0), 0);
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(::GetMenuItemID(bar, 1), 0), 0);
  EXPECT_EQ(Events(), (std::vector<std::string>{"cmdApply click", "tbsMain key 109",
                                                "tbsMain click", "cmb320x200 click",
                                                "mnuExit click", "mnuAbout click"}));
}

// ---------------------------------------------------------------- windows

// Another program's WM_CLOSE to a modal dialog's owner (End task), or Windows
// destroying a window on the toolkit's behalf, while ShowModal waits. A
// watchdog ends the program should ShowModal never return.
struct Outside {
  Win32Toolkit* toolkit;
  HWND main;
  void (*act)(HWND main, HWND dialog);
  bool ownerWasEnabled = true;
  bool watchdogEnded = false;
} gOutside;
void CALLBACK ActFromOutside(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  gOutside.ownerWasEnabled = ::IsWindowEnabled(gOutside.main) != FALSE;
  gOutside.act(gOutside.main, reinterpret_cast<HWND>(gOutside.toolkit->NativeHandle(kDialog)));
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
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestWindows windows;
    Win32Toolkit toolkit;
    toolkit.Attach(windows);
    toolkit.Start(app::kMainframe);
    gOutside = {&toolkit, reinterpret_cast<HWND>(toolkit.NativeHandle(app::kMainframe)), row.act};
    ::SetTimer(nullptr, 0, 50, ActFromOutside);
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 3000, Watchdog);
    toolkit.ShowModal(kDialog, app::kMainframe);
    ::KillTimer(nullptr, watchdog);
    EXPECT_FALSE(gOutside.watchdogEnded) << "ShowModal did not return";
    EXPECT_FALSE(gOutside.ownerWasEnabled);
    EXPECT_FALSE(toolkit.IsLoaded(kDialog));
    EXPECT_EQ(toolkit.IsLoaded(app::kMainframe), row.ownerStays);
    EXPECT_EQ(::IsWindowEnabled(gOutside.main) != FALSE, row.ownerStays) << "given back";
    EXPECT_EQ(toolkit.Ended(), !row.ownerStays) << "the program ends with its last window";
  }
}

}  // namespace
}  // namespace zorvanel::win32
