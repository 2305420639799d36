// The main window's own handlers, driven through the headless toolkit.

#include <gtest/gtest.h>

#include "app/WindowNames.h"
#include "tests/support/MainframeHarness.h"

namespace zorvanel::app {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { harness.Start(); }
  bool Visible(std::string_view control) { return toolkit.Visible({kMainframe, control}); }

  testing::MainframeHarness harness;
  headless::HeadlessToolkit& toolkit = harness.toolkit();
};

TEST_F(MainWindow, HiddenControlsCannotBeClicked) {
  EXPECT_EQ(toolkit.Click("cmdSwitchInfo"), "hidden");
  toolkit.SetVisible({kMainframe, "cmdSwitchInfo"}, true);
  EXPECT_EQ(toolkit.Click("cmdSwitchInfo"), "hidden") << "its page is not shown";
  EXPECT_EQ(toolkit.Click("cmdBackup"), "hidden");
  // The empty registry has no driver, so detection withholds the Settings
  // tab: show its page directly.
  toolkit.SetVisible({kMainframe, "fmeSettings"}, true);
  EXPECT_EQ(toolkit.Click("cmdBackup"), "disabled");
}

}  // namespace
}  // namespace zorvanel::app
