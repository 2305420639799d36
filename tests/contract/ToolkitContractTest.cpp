// What every toolkit does with the program's requests, good and bad (the
// contract in Toolkit.h). Runs on the headless toolkit, on Qt and, in the
// Windows build, on the native toolkit, so that the three cannot drift apart.

#include <gtest/gtest.h>

#include <utility>

#include "tests/contract/ContractToolkit.h"
#include "tests/contract/ContractWindows.h"

namespace zorvanel::contract {
namespace {

using ui::ControlKind;

ui::ControlRef Ref(std::string_view control) { return {kTestWindow, control}; }

class ToolkitContract : public ::testing::Test {
 protected:
  void Start() {
    contract.start(kTestWindow);
    ASSERT_TRUE(ui.IsLoaded(kTestWindow));
    ui.SetEnabled(Ref("tmrTick"), false);  // no tick among the events below
  }

  EventLog log;
  TestWindows windows{log};
  ContractToolkit contract = MakeContractToolkit(windows);
  ui::Toolkit& ui = *contract.toolkit;
};

// A control's visibility is its own flag, from the load step on.
TEST_F(ToolkitContract, ALoadedWindowReadsAsItsLayoutSays) {
  bool visibleDuringLoad = false;
  log.onLoad = [&](std::string_view) { visibleDuringLoad = ui.Visible(Ref("lblText")); };
  Start();
  EXPECT_TRUE(visibleDuringLoad);
  EXPECT_EQ(ui.Caption(kTestWindow), "Test window");
  EXPECT_NE(ui.NativeHandle(kTestWindow), 0u);
  for (const ui::ControlSpec& spec : windows.Layout(kTestWindow).controls) {
    SCOPED_TRACE(spec.name);
    const ui::ControlRef control = Ref(spec.name);
    if (spec.kind == ControlKind::TabStrip) {
      EXPECT_EQ(ui.TabCount(control), static_cast<int>(spec.tabs.size()));
      EXPECT_EQ(ui.SelectedTab(control), 1);
    } else if (spec.kind == ControlKind::Timer) {
      EXPECT_EQ(ui.Interval(control), spec.interval);
      continue;
    } else if (spec.kind != ControlKind::Menu && spec.kind != ControlKind::Line) {
      EXPECT_EQ(ui.Text(control), spec.text);
    }
    EXPECT_EQ(ui.Visible(control), spec.visible);
  }
}

TEST_F(ToolkitContract, ControlsKeepWhatTheProgramSetsAndRaiseNoEvent) {
  Start();
  log.lines.clear();
  for (const char* name : {"lblText", "cmdGo", "fmeGroup"}) {
    SCOPED_TRACE(name);
    ui.SetText(Ref(name), "one\r\ntwo <b>&");
    EXPECT_EQ(ui.Text(Ref(name)), "one\r\ntwo <b>&");
  }
  ui.SetVisible(Ref("fmePage"), false);
  EXPECT_TRUE(ui.Visible(Ref("lblText"))) << "on a hidden page";
  ui.SetVisible(Ref("lblText"), false);
  EXPECT_FALSE(ui.Visible(Ref("lblText")));

  // A list shows only its own items, and only when told which.
  const ui::ControlRef list = Ref("cmbList");
  ui.ClearItems(list);
  ui.AddItem(list, "60");
  ui.AddItem(list, "70");
  EXPECT_EQ(ui.Text(list), "");
  ui.ShowItem(list, "70");
  EXPECT_EQ(ui.Text(list), "70");
  ui.SetText(list, "60");
  EXPECT_EQ(ui.Text(list), "60");

  const ui::ControlRef strip = Ref("tbsStrip");
  ui.RemoveTab(strip, 3);
  EXPECT_EQ(ui.TabCount(strip), 2);
  ui.AppendTab(strip, "Three");
  ui.SetTabTooltip(strip, 3, "Back again");
  EXPECT_EQ(ui.TabCount(strip), 3);
  ui.SetInterval(Ref("tmrTick"), 35);
  EXPECT_EQ(ui.Interval(Ref("tmrTick")), 35);
  EXPECT_TRUE(log.lines.empty()) << log.lines.front();
}

// Typing raises no event: the logic reads the box when it needs it.
TEST_F(ToolkitContract, ATextBoxHoldsWhatTheUserTypedLast) {
  Start();
  log.lines.clear();
  const ui::ControlRef box = Ref("txtEntry");
  contract.userType(box, "31.5-83");
  EXPECT_EQ(ui.Text(box), "31.5-83");
  ui.SetText(box, "50-160");
  EXPECT_EQ(ui.Text(box), "50-160");
  contract.userType(box, "230");
  EXPECT_EQ(ui.Text(box), "230");
  EXPECT_TRUE(log.lines.empty()) << log.lines.front();
}

// Bad requests throw and change nothing; requests with nothing to do are no
// faults.
TEST_F(ToolkitContract, BadRequestsThrowAndChangeNothing) {
  const std::pair<const char*, void (*)(ui::Toolkit&)> bad[] = {
      {"no such control", [](ui::Toolkit& t) { t.SetText(Ref("lblNone"), "x"); }},
      {"reading no such control", [](ui::Toolkit& t) { t.Visible(Ref("lblNone")); }},
      {"a window not loaded", [](ui::Toolkit& t) { t.Text({kTestDialog, "lblLink"}); }},
      {"the caption of a window not loaded", [](ui::Toolkit& t) { t.Caption(kTestDialog); }},
      {"an item the list does not hold", [](ui::Toolkit& t) { t.ShowItem(Ref("cmbList"), "d"); }},
      {"a list text that is no item", [](ui::Toolkit& t) { t.SetText(Ref("cmbList"), "d"); }},
      {"an item request on a label", [](ui::Toolkit& t) { t.AddItem(Ref("lblText"), "x"); }},
      {"a tab request on a button", [](ui::Toolkit& t) { t.TabCount(Ref("cmdGo")); }},
      {"a timer request on a label", [](ui::Toolkit& t) { t.SetInterval(Ref("lblText"), 5); }},
  };
  Start();
  for (auto [what, request] : bad) EXPECT_THROW(request(ui), ui::BadRequest) << what;
  ui.Close(kTestDialog);
  ui.RemoveTab(Ref("tbsStrip"), 0);
  ui.RemoveTab(Ref("tbsStrip"), 4);
  ui.SetTabTooltip(Ref("tbsStrip"), 4, "");
  EXPECT_EQ(ui.Text(Ref("lblText")), "Label");
  EXPECT_EQ(ui.Text(Ref("cmbList")), "b");
  EXPECT_EQ(ui.TabCount(Ref("tbsStrip")), 3);
  EXPECT_EQ(ui.Interval(Ref("tmrTick")), 20);
  EXPECT_FALSE(ui.IsLoaded(kTestDialog));
  EXPECT_EQ(ui.NativeHandle(kTestDialog), 0u);
}

TEST(ToolkitContractEnd, TheProgramEndsWithItsLastWindow) {
  for (bool byTheUser : {true, false}) {
    SCOPED_TRACE(byTheUser ? "the user closes the last window" : "the program ends");
    EventLog log;
    TestWindows windows{log};
    ContractToolkit contract = MakeContractToolkit(windows);
    contract.start(kTestWindow);
    byTheUser ? contract.userClose(kTestWindow) : contract.toolkit->EndProgram();
    EXPECT_TRUE(contract.ended());
    EXPECT_FALSE(contract.toolkit->IsLoaded(kTestWindow));
    EXPECT_EQ(contract.toolkit->NativeHandle(kTestWindow), 0u);
  }
}

}  // namespace
}  // namespace zorvanel::contract
